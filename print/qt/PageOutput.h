#pragma once

#include "print/PrintJob.h"

#include <functional>
#include <span>
#include <vector>

#include <QIODevice>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QString>

namespace parvelin::print {

using Warn = std::function<void(std::string_view)>;

// An A4 portrait page whose margins centre the designed form on the sheet, as a printer with a
// printable area of exactly the form's size would place it.
QPageLayout formPageLayout();

// The document name of printed and PDF pages: the form's title.
QString formDocumentName();

// The jobs into a PDF file, one page each. A job whose barcode cannot be made gets its page as the
// preview shows it (empty), and the jobs after it their pages all the same: `statuses` holds the
// status of each page written, in order. `written` is false when the file cannot be written.
struct PdfResult {
    bool written = false;
    std::vector<barcode::DrawStatus> statuses;
};
PdfResult writePdf(std::span<PrintJob> jobs, const QString& path, const Warn& warn);
// The same PDF into an open device, such as a buffer that is written to a file afterwards.
PdfResult writePdf(std::span<PrintJob> jobs, QIODevice& device, const Warn& warn);

// The whole A4 sheet as an image at `dpi` dots per inch, white, with the form drawn on it.
struct ImageResult {
    QImage image;
    barcode::DrawStatus status = barcode::DrawStatus::Ok;
};
ImageResult renderPageImage(PrintJob& job, int dpi, const Warn& warn);

// The cells whose values the job's page cannot show whole, found by drawing it once aside: the
// job itself, and the warning it gives, are left as they were.
std::vector<std::string_view> cutCellsOf(const PrintJob& job);

} // namespace parvelin::print
