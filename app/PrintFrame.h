#pragma once

#include "print/PrintJob.h"
#include "widgets/PrintDialogService.h"

#include <functional>

#include <QMainWindow>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace parvelin::app {

// The page-drawing callback: draws one page on the printer it is given (a real printer, a PDF
// file or the preview's pages). Its status is looked at by nobody but itself.
using PageDrawing = std::function<void(QPrinter& printer)>;

// The job's form page on a printer: the canvas over the printer's resolution, then the page.
barcode::DrawStatus DrawFormPage(QPrinter& printer, print::PrintJob& job,
                                 const std::function<void(std::string_view)>& warn);

// Relays every drawing of the page that the preview or a print job asks for to the callback.
class CWrapperView final : public QObject {
    Q_OBJECT
public:
    CWrapperView(PageDrawing drawing, QObject* parent);

public slots:
    void drawPage(QPrinter* printer);

private:
    PageDrawing m_drawing;
};

// The print preview: the one page of the form, scaled to the window.
class CMyPreviewView final : public QPrintPreviewWidget {
    Q_OBJECT
public:
    CMyPreviewView(QPrinter* printer, QWidget* parent);
};

// The two print commands: Print goes straight to the print dialog, Preview shows the page first.
enum class PrintCommand { Preview, Print };

// The window of one print command. For Print it prints at once through the print dialog
// and closes; otherwise it shows the preview maximised, with Print and Close on its toolbar, while
// the owner window is hidden. Closing it shows the owner again; it deletes itself when closed.
class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(PageDrawing drawing, QWidget* owner, PrintCommand command, const QString& title,
               widgets::PrintDialogService& printDialog);
    ~CMainFrame() override;

    CMyPreviewView* previewView() const { return m_preview; }

    // Print through the print dialog; from the preview, the preview closes afterwards.
    void printThroughDialog();
    // The page layout every print command uses: A4, the form centred.
    static void preparePrinter(QPrinter& printer);

private:
    QPointer<QWidget> m_owner;
    bool m_directPrint;
    widgets::PrintDialogService& m_printDialog;
    QPrinter m_printer;
    CWrapperView* m_wrapper = nullptr;
    CMyPreviewView* m_preview = nullptr;
};

} // namespace parvelin::app
