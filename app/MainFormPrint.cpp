#include "app/MainForm.h"
#include "app/PrintFrame.h"
#include "print/PrintJob.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <memory>

namespace parvelin::app {

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
    if (!validateForm()) {
        return;
    }
    // Each command has a job of its own, so its barcode warning comes at most once.
    const auto job = std::make_shared<print::PrintJob>(print::printJobFor(m_record));
    const QPointer<MainForm> form(this);
    const auto warn = [form](std::string_view message) {
        // Shown after the drawing, not inside the preview's repaint.
        const QString text = widgets::qText(message);
        QMetaObject::invokeMethod(
            form,
            [form, text] {
                QWidget* owner = form->m_previewFrame
                                     ? static_cast<QWidget*>(form->m_previewFrame.data())
                                     : form.data();
                form->m_services.showNotice(owner, text);
            },
            Qt::QueuedConnection);
    };
    PageDrawing drawing = [job, warn](QPrinter& printer) { DrawFormPage(printer, *job, warn); };
    m_previewFrame = new CMainFrame(std::move(drawing), this, command, QString(), m_services);
}

} // namespace parvelin::app
