#include "print/qt/PageOutput.h"

#include "print/PageGeometry.h"
#include "print/qt/PdfTextMap.h"
#include "print/qt/QPainterCanvas.h"

#include <QBuffer>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace parvelin::print {

namespace {

constexpr double kMillimetresPerInch = 25.4;

double toMillimetres(int pageUnits) {
    return pageUnits * kMillimetresPerInch / kPageUnitsPerInch;
}

} // namespace

QPageLayout formPageLayout() {
    const QSizeF sheet = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    const double horizontal = (sheet.width() - toMillimetres(layout::kPage.width())) / 2;
    const double vertical = (sheet.height() - toMillimetres(layout::kPage.height())) / 2;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(horizontal, vertical, horizontal, vertical),
                       QPageLayout::Millimeter);
}

QString formDocumentName() {
    return QString::fromUtf8(layout::kTitle.data(), static_cast<qsizetype>(layout::kTitle.size()));
}

PdfResult writePdf(std::span<PrintJob> jobs, QIODevice& device, const Warn& warn) {
    PdfResult result;
    // The document is made in memory: its text maps are put right (PdfPageDrawing) before it
    // goes to the device in one write.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    QPdfWriter writer(&document);
    writer.setResolution(kPageUnitsPerInch);
    writer.setPageLayout(formPageLayout());
    writer.setCreator(QStringLiteral("Parvelin"));
    writer.setTitle(formDocumentName());
    QPainter painter;
    if (!painter.begin(&writer)) {
        return result;
    }
    PdfPageDrawing pages;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (i > 0 && !writer.newPage()) {
            return result;
        }
        result.statuses.push_back(
            pages.drawPage(painter, writer.logicalDpiX(), writer.logicalDpiY(), jobs[i], warn));
    }
    if (!painter.end()) {
        return result;
    }
    QByteArray pdf = document.data();
    pages.repair(pdf);
    result.written = device.write(pdf) == pdf.size();
    return result;
}

PdfResult writePdf(std::span<PrintJob> jobs, const QString& path, const Warn& warn) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return {};
    }
    PdfResult result = writePdf(jobs, file, warn);
    result.written = result.written && file.flush();
    return result;
}

ImageResult renderPageImage(PrintJob& job, int dpi, const Warn& warn) {
    // Sizes from millimetres, rounded once: A4 at 300 dpi is 2480 by 3508 pixels.
    const QPageLayout page = formPageLayout();
    const QRectF sheet = page.fullRect(QPageLayout::Millimeter);
    const QMarginsF margins = page.margins(QPageLayout::Millimeter);
    const auto pixels = [dpi](double millimetres) {
        return static_cast<int>(std::lround(millimetres / kMillimetresPerInch * dpi));
    };
    QImage image(pixels(sheet.width()), pixels(sheet.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);

    QPainter painter(&image);
    painter.translate(pixels(margins.left()), pixels(margins.top()));
    barcode::DrawStatus status = barcode::DrawStatus::Ok;
    {
        QPainterCanvas canvas(painter, dpi, dpi);
        status = drawFormPage(job, canvas, warn);
    }
    painter.end();
    return {image, status};
}

std::vector<std::string_view> cutCellsOf(const PrintJob& job) {
    // Lines break in page units, the same on every device: a coarse image finds what paper cuts.
    constexpr int kMeasuringDpi = 30;
    PrintJob aside = job;
    renderPageImage(aside, kMeasuringDpi, [](std::string_view) {});
    return aside.cutCells;
}

} // namespace parvelin::print
