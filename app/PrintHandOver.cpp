#include "app/PrintHandOver.h"

#include "app/PrintService.h"
#include "print/PrintJob.h"
#include "print/PrintReports.h"
#include "print/qt/PageOutput.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <chrono>
#include <span>

#include <QBuffer>
#include <QPrintEngine>
#include <QPrinter>

namespace parvelin::app {

namespace {

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

bool printServiceAnswers(widgets::PlatformServices& services, QWidget* form) {
    constexpr std::chrono::milliseconds kAnswerWithin{3000};
    if (probePrintService(kAnswerWithin) == PrintServiceState::Silent) {
        services.showNotice(form, widgets::qText(print::kServiceSilent));
        return false;
    }
    return true;
}

// The pages to a printer of the print service, as one job: on A4, or on the printer's own paper
// scaled to fit where it has no A4 and the clerk agrees; then what became of the job, said when it
// is not simply taken.
bool handOverToPrintService(QPrinter& printer, std::span<print::PrintJob> jobs,
                            const std::string& jobName,
                            const std::function<void(std::string_view)>& warn,
                            widgets::PlatformServices& services, QWidget* form, QWidget* window) {
    const auto notice = [&](const std::string& text) {
        services.showNotice(form, widgets::qText(text));
    };
    const std::string printerName = printer.printerName().toStdString();
    const bool fitToPaper = !printerOffersA4(printerName);
    if (fitToPaper) {
        enum { Scale, Cancel };
        const int answer = services.choose(
            window, widgets::qText(print::noA4Question(printerName)),
            {widgets::qText(print::kScaleToPaper), widgets::qText(print::kCancelPrint)});
        if (answer != Scale) {
            return true; // nothing printed, as the clerk chose; nothing failed
        }
    }
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!print::writePdf(jobs, pdf, warn).written) {
        notice(print::printFailedMessage("无法生成打印页面", printerName));
        return false;
    }
    const QByteArray& bytes = pdf.data();
    const JobReport report =
        printPdf(printerName, jobName, std::string_view(bytes.constData(), bytes.size()),
                 printer.copyCount(), fitToPaper, optionsChosenFor(printer));
    switch (report.outcome) {
    case JobReport::Outcome::Taken:
        return true;
    case JobReport::Outcome::Waiting:
        notice(print::printWaitingMessage(report.cause, printerName));
        return true;
    case JobReport::Outcome::Failed:
        break;
    }
    notice(print::printFailedMessage(report.cause, printerName));
    return false;
}

} // namespace parvelin::app
