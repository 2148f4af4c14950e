#include "app/PrintFrame.h"

#include "print/qt/PageOutput.h"
#include "print/qt/QPainterCanvas.h"

#include <QAction>
#include <QPainter>
#include <QToolBar>

namespace parvelin::app {

barcode::DrawStatus DrawFormPage(QPrinter& printer, print::PrintJob& job,
                                 const std::function<void(std::string_view)>& warn) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return barcode::DrawStatus::PictureFailed;
    }
    print::QPainterCanvas canvas(painter, printer.logicalDpiX(), printer.logicalDpiY());
    return print::drawFormPage(job, canvas, warn);
}

CWrapperView::CWrapperView(PageDrawing drawing, QObject* parent)
    : QObject(parent)
    , m_drawing(std::move(drawing)) {}

void CWrapperView::drawPage(QPrinter* printer) {
    if (printer != nullptr) {
        m_drawing(*printer);
    }
}

CMyPreviewView::CMyPreviewView(QPrinter* printer, QWidget* parent)
    : QPrintPreviewWidget(printer, parent) {
    setObjectName(QStringLiteral("previewView"));
    setViewMode(QPrintPreviewWidget::SinglePageView);
    setZoomMode(QPrintPreviewWidget::FitInView);
}

void CMainFrame::preparePrinter(QPrinter& printer) {
    printer.setPageLayout(print::formPageLayout());
    printer.setFullPage(false);
    printer.setDocName(print::formDocumentName());
}

CMainFrame::CMainFrame(PageDrawing drawing, QWidget* owner, PrintCommand command,
                       const QString& title, widgets::PrintDialogService& printDialog)
    : QMainWindow(nullptr)
    , m_owner(owner)
    , m_directPrint(command == PrintCommand::Print)
    , m_printDialog(printDialog)
    , m_printer(QPrinter::HighResolution) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing the print window ends the print command, never the program (the form is hidden
    // then, and would otherwise count as closed).
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("printFrame"));
    preparePrinter(m_printer);
    m_wrapper = new CWrapperView(std::move(drawing), this);

    QString caption = title;
    if (caption.isEmpty()) {
        const QString ownerCaption = owner != nullptr ? owner->windowTitle() : QString();
        caption = ownerCaption.isEmpty() ? QStringLiteral("打印预览")
                                         : ownerCaption + QStringLiteral(" (预览)");
    }
    setWindowTitle(caption);
    if (owner != nullptr) {
        setWindowIcon(owner->windowIcon());
    }

    if (m_directPrint) {
        // Printing needs no window of its own: print (or not, if the dialog is cancelled), go.
        printThroughDialog();
        deleteLater();
        return;
    }

    m_preview = new CMyPreviewView(&m_printer, this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, m_wrapper, &CWrapperView::drawPage);
    setCentralWidget(m_preview);

    QToolBar* toolbar = addToolBar(QStringLiteral("预览"));
    toolbar->setObjectName(QStringLiteral("previewToolbar"));
    toolbar->setMovable(false);
    QAction* print = toolbar->addAction(QStringLiteral("打印"));
    print->setObjectName(QStringLiteral("printAction"));
    connect(print, &QAction::triggered, this, [this] {
        printThroughDialog();
        close();
    });
    QAction* closeAction = toolbar->addAction(QStringLiteral("关闭"));
    closeAction->setObjectName(QStringLiteral("closeAction"));
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    showMaximized();
    if (m_owner != nullptr) {
        m_owner->hide();
    }
}

CMainFrame::~CMainFrame() {
    if (m_owner != nullptr) {
        m_owner->show();
        m_owner->activateWindow();
    }
}

void CMainFrame::printThroughDialog() {
    if (m_printDialog.choosePrinter(m_printer, m_owner)) {
        m_wrapper->drawPage(&m_printer);
    }
}

} // namespace parvelin::app
