#include "print/qt/PrinterPages.h"

#include "disk/AtomicFile.h"
#include "disk/PathNames.h"
#include "print/qt/PageOutput.h"
#include "print/qt/PdfTextMap.h"
#include "print/qt/QPainterCanvas.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QBuffer>
#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>

namespace parvelin::print {

namespace {

// A page written to a file shows the applicant's identity number and birth date: a new file is
// its owner's alone (0600) like a data file, made so before Qt opens it as the umask allows, and
// given to the folder's owner where root prints into a clerk's folder. A file that exists keeps
// its mode and owner.
void makePrivateOutputFile(const QPrinter& printer) {
#ifdef _WIN32
    // On Windows a new file takes its folder's permissions: there is no owner or mode to set.
    static_cast<void>(printer);
#else
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty()) {
        return;
    }
    const QByteArray path = QFile::encodeName(printer.outputFileName());
    const int made = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (made < 0) {
        return;
    }
    ::fchmod(made, 0600); // whatever the umask
    struct stat folder {};
    const std::string folderPath = disk::folderOf(path.toStdString());
    if (::stat(folderPath.c_str(), &folder) == 0) {
        // One that cannot be given stays root's alone, and private: the page is printed all the
        // same, as the print dialog has no way to say otherwise.
        static_cast<void>(disk::giveToFolderOwner(made, folder));
    }
    ::close(made);
#endif
}

// The printer's options that the print dialog's properties set, as name and value pairs: Qt keeps
// them under this key of its print engine (its CUPS support's PPK_CupsOptions).
std::vector<PrinterOption> optionsChosenFor(QPrinter& printer) {
    const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    const QStringList flat = printer.printEngine()->property(kCupsOptions).toStringList();
    std::vector<PrinterOption> options;
    for (qsizetype i = 0; i + 1 < flat.size(); i += 2) {
        options.emplace_back(flat[i].toStdString(), flat[i + 1].toStdString());
    }
    return options;
}

} // namespace

void prepareFormPrinter(QPrinter& printer) {
    printer.setPageLayout(formPageLayout());
    printer.setFullPage(false);
    printer.setDocName(formDocumentName());
}

std::vector<barcode::DrawStatus> printFormPages(QPrinter& printer, std::span<PrintJob> jobs,
                                                const JobWarning& warn) {
    std::vector<barcode::DrawStatus> statuses;
    makePrivateOutputFile(printer);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return statuses;
    }
    const bool intoPdfFile = printer.outputFormat() == QPrinter::PdfFormat &&
                             painter.paintEngine()->type() == QPaintEngine::Pdf &&
                             !printer.outputFileName().isEmpty();
    PdfPageDrawing pages;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            break;
        }
        const auto warnOfThisJob = [&warn, i](std::string_view message) { warn(i, message); };
        if (intoPdfFile) {
            statuses.push_back(pages.drawPage(painter, printer.logicalDpiX(), printer.logicalDpiY(),
                                              jobs[i], warnOfThisJob));
        } else {
            QPainterCanvas canvas(painter, printer.logicalDpiX(), printer.logicalDpiY());
            statuses.push_back(drawFormPage(jobs[i], canvas, warnOfThisJob));
        }
    }
    if (intoPdfFile) {
        // Qt writes the faces and their maps when the painter ends.
        painter.end();
        pages.repairFile(printer.outputFileName());
    }
    return statuses;
}

barcode::DrawStatus printFormPage(QPrinter& printer, PrintJob& job,
                                  const std::function<void(std::string_view)>& warn) {
    const std::vector<barcode::DrawStatus> statuses =
        printFormPages(printer, std::span(&job, 1),
                       [&warn](std::size_t, std::string_view message) { warn(message); });
    return statuses.empty() ? barcode::DrawStatus::PictureFailed : statuses.front();
}

std::optional<PrintRequest> printRequestFor(QPrinter& printer, std::span<PrintJob> jobs,
                                            const std::string& jobName, bool fitToPaper,
                                            const std::function<void(std::string_view)>& warn) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!writePdf(jobs, pdf, warn).written) {
        return std::nullopt;
    }
    return PrintRequest{printer.printerName().toStdString(),
                        jobName,
                        pdf.data().toStdString(),
                        printer.copyCount(),
                        fitToPaper,
                        optionsChosenFor(printer),
                        {}};
}

} // namespace parvelin::print
