#include "app/PrintWindow.h"

#include "print/qt/PrinterPages.h"

#include <QAction>
#include <QActionGroup>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>
#include <QWheelEvent>

namespace parvelin::app {

namespace {

constexpr qreal kZoomStep = 1.25;
constexpr qreal kSmallestZoom = 0.1; // of the page's real size on the screen
constexpr qreal kLargestZoom = 5;

} // namespace

PreviewView::PreviewView(QPrinter* printer, QWidget* parent)
    : QPrintPreviewWidget(printer, parent) {
    setObjectName(QStringLiteral("previewView"));
    setViewMode(QPrintPreviewWidget::SinglePageView);
    setZoomMode(QPrintPreviewWidget::FitToWidth);
    // The page is shown by a graphics view inside the widget; its wheel events come to us first.
    if (auto* view = findChild<QGraphicsView*>()) {
        view->viewport()->installEventFilter(this);
    }
}

void PreviewView::zoomInStep() {
    if (zoomFactor() * kZoomStep <= kLargestZoom) {
        zoomIn(kZoomStep);
        emit previewChanged(); // zoomIn() leaves the fitting modes without saying so
    }
}

void PreviewView::zoomOutStep() {
    if (zoomFactor() / kZoomStep >= kSmallestZoom) {
        zoomOut(kZoomStep);
        emit previewChanged();
    }
}

void PreviewView::nameThePage(const QString& name) {
    setAccessibleName(name);
    if (auto* view = findChild<QGraphicsView*>()) {
        view->setAccessibleName(name);
    }
}

bool PreviewView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers().testFlag(Qt::ControlModifier) && wheel->angleDelta().y() != 0) {
            wheel->angleDelta().y() > 0 ? zoomInStep() : zoomOutStep();
            return true;
        }
    }
    return QPrintPreviewWidget::eventFilter(watched, event);
}

PrintWindow::PrintWindow(PageDrawing drawing, QWidget* owner, PrintCommand command,
                         const QString& title, widgets::PrintDialogService& printDialog,
                         PrintHooks hooks)
    : QMainWindow(nullptr)
    , m_owner(owner)
    , m_directPrint(command == PrintCommand::Print)
    , m_printDialog(printDialog)
    , m_hooks(std::move(hooks))
    , m_printer(QPrinter::HighResolution) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing the print window ends the print command, never the program (the form is hidden
    // then, and would otherwise count as closed).
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("printWindow"));
    print::prepareFormPrinter(m_printer);
    if (!m_hooks.jobName.isEmpty()) {
        m_printer.setDocName(m_hooks.jobName);
    }
    m_drawing = std::move(drawing);

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

    m_preview = new PreviewView(&m_printer, this);
    m_preview->nameThePage(m_hooks.jobName.isEmpty() ? caption : m_hooks.jobName);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { m_drawing(*printer); });
    setCentralWidget(m_preview);
    addToolbar();

    // Where no window manager acts on the request to maximise (a bare X server), the window keeps
    // the size it was given: give it the whole screen first.
    if (QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
        setGeometry(screen->availableGeometry());
    }
    showMaximized();
    // The keyboard goes to the page, as the form it came from goes away.
    activateWindow();
    if (m_owner != nullptr) {
        m_owner->hide();
    }
}

void PrintWindow::addToolbar() {
    QToolBar* toolbar = addToolBar(QStringLiteral("预览"));
    toolbar->setObjectName(QStringLiteral("previewToolbar"));
    toolbar->setMovable(false);
    const auto add = [&](const QString& text, const char* name) {
        QAction* action = toolbar->addAction(text);
        action->setObjectName(QLatin1String(name));
        return action;
    };

    QAction* print = add(QStringLiteral("打印"), "printAction");
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] {
        const PrintResult result = printThroughDialog();
        if (result == PrintResult::Printed || result == PrintResult::Cancelled) {
            close();
        }
    });
    toolbar->addSeparator();

    QAction* zoomIn = add(QStringLiteral("放大"), "zoomInAction");
    // Ctrl++ is Ctrl+Shift+= on most keyboards; Ctrl+= is the same key without Shift.
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, m_preview, &PreviewView::zoomInStep);
    QAction* zoomOut = add(QStringLiteral("缩小"), "zoomOutAction");
    zoomOut->setShortcuts(QKeySequence::ZoomOut);
    connect(zoomOut, &QAction::triggered, m_preview, &PreviewView::zoomOutStep);

    // The two fitting modes show which one is in force; a zoom by steps leaves both.
    auto* fitting = new QActionGroup(this);
    fitting->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QAction* fitWidth = add(QStringLiteral("适合宽度"), "fitWidthAction");
    QAction* wholePage = add(QStringLiteral("整页"), "wholePageAction");
    for (QAction* action : {fitWidth, wholePage}) {
        action->setCheckable(true);
        fitting->addAction(action);
    }
    connect(fitWidth, &QAction::triggered, m_preview, &QPrintPreviewWidget::fitToWidth);
    connect(wholePage, &QAction::triggered, m_preview, &QPrintPreviewWidget::fitInView);
    const auto showMode = [this, fitWidth, wholePage] {
        fitWidth->setChecked(m_preview->zoomMode() == QPrintPreviewWidget::FitToWidth);
        wholePage->setChecked(m_preview->zoomMode() == QPrintPreviewWidget::FitInView);
    };
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, showMode);
    showMode();
    toolbar->addSeparator();

    QAction* closeAction = add(QStringLiteral("关闭"), "closeAction");
    closeAction->setShortcut(Qt::Key_Escape);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    // Qt keeps a toolbar's buttons off the Tab road; here the keyboard reaches each of them from
    // the page, and its tooltip names its keys.
    for (QAction* action : toolbar->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        toolbar->widgetForAction(action)->setFocusPolicy(Qt::TabFocus);
        if (!action->shortcut().isEmpty()) {
            action->setToolTip(action->text() + QStringLiteral("（") +
                               action->shortcut().toString(QKeySequence::NativeText) +
                               QStringLiteral("）"));
        }
    }
}

PrintWindow::~PrintWindow() {
    if (m_owner != nullptr) {
        m_owner->show();
        m_owner->activateWindow();
    }
}

PrintResult PrintWindow::printThroughDialog() {
    if (m_hooks.confirm && !m_hooks.confirm()) {
        return PrintResult::Declined;
    }
    if (m_hooks.answers && !m_hooks.answers()) {
        return PrintResult::Failed;
    }
    if (!m_printDialog.choosePrinter(m_printer, m_owner)) {
        return PrintResult::Cancelled;
    }
    const bool toService =
        m_printer.outputFormat() == QPrinter::NativeFormat && !m_printer.printerName().isEmpty();
    if (toService && m_hooks.handOver) {
        return m_hooks.handOver(m_printer) ? PrintResult::Printed : PrintResult::Failed;
    }
    m_drawing(m_printer);
    return PrintResult::Printed;
}

} // namespace parvelin::app
