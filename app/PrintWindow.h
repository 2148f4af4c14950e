#pragma once

#include "widgets/PrintDialogService.h"

#include <functional>

#include <QMainWindow>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace parvelin::app {

// The page-drawing callback: draws the pages on the printer it is given (a real printer, a PDF
// file or the preview's pages), as print::printFormPages does. Its status is looked at by nobody
// but itself.
using PageDrawing = std::function<void(QPrinter& printer)>;

// The print preview: the one page of the form, at first as wide as the window, so that a clerk
// can read its notes. Zooms in and out by steps, also with Ctrl and the mouse wheel.
class PreviewView final : public QPrintPreviewWidget {
    Q_OBJECT
public:
    PreviewView(QPrinter* printer, QWidget* parent);

    // One step closer or farther, within sensible bounds (a tenth of the page's size to five
    // times it).
    void zoomInStep();
    void zoomOutStep();

    // What a screen reader calls the page, and the view of it that takes the keyboard: whose
    // form it shows.
    void nameThePage(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The two print commands: Print goes straight to the print dialog, Preview shows the page first.
enum class PrintCommand { Preview, Print };

// What a print command adds to its window's printing. `confirm` is asked first: false when the
// clerk does not want this page on paper after all. `answers` is asked before the print dialog
// opens: false when the print service does not answer (the clerk has been told, and no dialog
// waits on it). `handOver` takes the page once the dialog has chosen a printer of the service
// (not a PDF file): true when the job was taken, false when it was not (the clerk has been told
// why). `jobName` names the job and the PDF file the dialog proposes. Any may be empty: the
// dialog then opens at once, and the page is drawn on the printer.
struct PrintHooks {
    std::function<bool()> confirm;
    std::function<bool()> answers;
    std::function<bool(QPrinter& printer)> handOver;
    QString jobName;
};

// How a print through the dialog ended. After Declined (the clerk's second thoughts) and Failed
// the preview stays open.
enum class PrintResult { Printed, Cancelled, Declined, Failed };

// The window of one print command. For Print it prints at once through the print dialog and
// closes; for Preview it shows the preview maximised, with 打印 (Ctrl+P), the zoom controls
// (放大, 缩小, 适合宽度, 整页; Ctrl++ and Ctrl+-) and 关闭 (Esc: the preview has nothing to lose)
// on its toolbar, which Tab reaches from the page, while the owner window is hidden. Closing it
// shows the owner again; it deletes itself when closed.
class PrintWindow final : public QMainWindow {
    Q_OBJECT
public:
    PrintWindow(PageDrawing drawing, QWidget* owner, PrintCommand command, const QString& title,
                widgets::PrintDialogService& printDialog, PrintHooks hooks = {});
    ~PrintWindow() override;

    PreviewView* previewView() const { return m_preview; }

    // Print through the print dialog; from the preview, the preview closes afterwards unless
    // the page did not reach the printer.
    PrintResult printThroughDialog();

private:
    void addToolbar();

    QPointer<QWidget> m_owner;
    bool m_directPrint;
    widgets::PrintDialogService& m_printDialog;
    PrintHooks m_hooks;
    QPrinter m_printer;
    PageDrawing m_drawing; // every drawing of the page, for the preview and for printing
    PreviewView* m_preview = nullptr;
};

} // namespace parvelin::app
