#include "app/MainForm.h"
#include "app/PrintService.h"
#include "app/PrintWindow.h"
#include "datafile/PathNames.h"
#include "print/PrintJob.h"
#include "print/PrintReports.h"
#include "print/qt/PageOutput.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <chrono>
#include <memory>
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

void MainForm::onPrintPreview() {
    runPrintCommand(PrintCommand::Preview);
}

void MainForm::onPrint() {
    runPrintCommand(PrintCommand::Print);
}

// Both commands: refuse unless the applicant's file is open and unchanged, check, then hand the
// page to a print window, which previews it or prints it through the print dialog.
void MainForm::runPrintCommand(PrintCommand command) {
    if (const auto refusal = print::printRefusal(!m_currentFile.empty(), m_modified)) {
        notice(*refusal);
        return;
    }
    const std::optional<datafile::CheckedRecord> checked = validateForm();
    if (!checked) {
        return;
    }
    // Every printer Qt sets up (the preview's too) asks the print service for its default printer
    // first: one that does not answer would hold the window for minutes.
    if (!printServiceAnswers()) {
        return;
    }
    // Each command has a job of its own, so its barcode warning comes at most once.
    const auto job = std::make_shared<print::PrintJob>(print::printJobFor(*checked));
    const QPointer<MainForm> form(this);
    const auto warn = [form](std::string_view message) {
        // Shown after the drawing, not inside the preview's repaint.
        const QString text = widgets::qText(message);
        QMetaObject::invokeMethod(
            form, [form, text] { form->m_services.showNotice(form->printCommandWindow(), text); },
            Qt::QueuedConnection);
    };
    PageDrawing drawing = [job, warn](QPrinter& printer) { DrawFormPage(printer, *job, warn); };
    const std::string jobName = print::printJobName(
        checked->record(), datafile::displayFileName(datafile::fileNameOf(m_currentFile)));
    PrintHooks hooks{
        [form, job] { return form && form->mayPrintWhatIsCut(*job); },
        [form] { return !form || form->printServiceAnswers(); },
        [form, job, warn, jobName](QPrinter& printer) {
            return form && form->handOverToPrintService(printer, *job, jobName, warn);
        },
        QString::fromStdString(jobName),
    };
    m_printWindow =
        new PrintWindow(std::move(drawing), this, command, QString(), m_services, std::move(hooks));
}

// The window a print command's boxes belong to: its print window while that is open (the form
// is hidden then), else the form.
QWidget* MainForm::printCommandWindow() {
    return m_printWindow ? static_cast<QWidget*>(m_printWindow.data()) : this;
}

// A page whose cells cut values goes to paper only when the clerk says so (Esc: no).
bool MainForm::mayPrintWhatIsCut(const print::PrintJob& job) {
    const std::vector<std::string_view> cut = print::cutCellsOf(job);
    const std::optional<std::string> question = print::cutCellsQuestion(cut);
    if (!question) {
        return true;
    }
    return m_services.ask(printCommandWindow(), widgets::qText(*question),
                          widgets::PlatformServices::Buttons::YesNo) ==
           widgets::PlatformServices::Answer::Yes;
}

// Before the print dialog: a print service that does not answer would hold the window while the
// dialog looks for its printers.
bool MainForm::printServiceAnswers() {
    constexpr std::chrono::milliseconds kAnswerWithin{3000};
    if (probePrintService(kAnswerWithin) == PrintServiceState::Silent) {
        notice(print::kServiceSilent);
        return false;
    }
    return true;
}

// The page to a printer of the print service: on A4, or on the printer's own paper scaled to fit
// where it has no A4 and the clerk agrees; then what became of the job, said when it is not
// simply taken.
bool MainForm::handOverToPrintService(QPrinter& printer, print::PrintJob& job,
                                      const std::string& jobName,
                                      const std::function<void(std::string_view)>& warn) {
    const std::string printerName = printer.printerName().toStdString();
    const bool fitToPaper = !printerOffersA4(printerName);
    if (fitToPaper) {
        enum { Scale, Cancel };
        const int answer = m_services.choose(
            printCommandWindow(), widgets::qText(print::noA4Question(printerName)),
            {widgets::qText(print::kScaleToPaper), widgets::qText(print::kCancelPrint)});
        if (answer != Scale) {
            return true; // nothing printed, as the clerk chose; nothing failed
        }
    }
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!print::writePdf(std::span(&job, 1), pdf, warn).written) {
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
