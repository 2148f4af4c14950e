// The print command's window: preview of the one page, printing through the print dialog, and
// the owner window hidden and shown again.

#include "app/PrintWindow.h"

#include "print/qt/PrinterPages.h"
#include "tests/support/Applicants.h"
#include "tests/support/FixedClock.h"
#include "tests/support/PdfPages.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGraphicsView>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

namespace parvelin::app {

using namespace std::chrono_literals;

// Answers the print dialog as scripted: prints into a PDF file, or cancels.
class ScriptedPrintDialog final : public widgets::PrintDialogService {
public:
    bool choosePrinter(QPrinter& printer, QWidget*) override {
        ++asked;
        if (pdfPath.isEmpty()) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
    QString pdfPath;
    int asked = 0;
};

class PrintWindowTest : public QObject {
    Q_OBJECT

private:
    print::PrintJob job() {
        record::MemberRecord record = test::validApplicant();
        auto prepared = print::preparePrintJob(record, test::FixedClock(2012y / 5 / 17));
        return std::get<print::PrintJob>(prepared);
    }

    // A drawing that counts its calls and the warnings it gives.
    struct Drawing {
        explicit Drawing(print::PrintJob printJob)
            : job(std::move(printJob)) {}
        print::PrintJob job;
        int drawn = 0;
        QStringList warnings;
        PageDrawing callback() {
            return [this](QPrinter& printer) {
                ++drawn;
                print::printFormPage(printer, job, [this](std::string_view message) {
                    warnings << QString::fromUtf8(message.data(), qsizetype(message.size()));
                });
            };
        }
    };

    // The print window of a command over `owner`, drawing `drawing`, asking `dialog`.
    static PrintWindow* open(Drawing& drawing, QWidget& owner, PrintCommand command,
                             ScriptedPrintDialog& dialog) {
        return new PrintWindow(drawing.callback(), &owner, command, QString(), dialog);
    }

private slots:
    void previewShowsOnePageAndHidesTheOwner() {
        QWidget owner;
        owner.setWindowTitle(QStringLiteral("Parvelin"));
        owner.show();
        Drawing drawing(job());
        ScriptedPrintDialog dialog;
        QPointer<PrintWindow> frame = open(drawing, owner, PrintCommand::Preview, dialog);
        QCOMPARE(frame->windowTitle(), QStringLiteral("Parvelin (预览)"));
        QVERIFY(frame->isVisible());
        QVERIFY(frame->windowState() & Qt::WindowMaximized);
        QVERIFY(!owner.isVisible());
        frame->previewView()->updatePreview();
        QCOMPARE(frame->previewView()->pageCount(), 1);
        QVERIFY(drawing.drawn >= 1);
        QVERIFY(drawing.warnings.isEmpty());

        frame->findChild<QAction*>(QStringLiteral("closeAction"))->trigger();
        QTRY_VERIFY(frame.isNull());
        QVERIFY(owner.isVisible());
        QCOMPARE(dialog.asked, 0);
    }

    void untitledOwnerGivesThePlainTitle() {
        QWidget owner;
        Drawing drawing(job());
        ScriptedPrintDialog dialog;
        QPointer<PrintWindow> frame = open(drawing, owner, PrintCommand::Preview, dialog);
        QCOMPARE(frame->windowTitle(), QStringLiteral("打印预览"));
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }

    void printFromThePreviewPrintsThePageAndCloses() {
        QTemporaryDir folder;
        QWidget owner;
        owner.show();
        Drawing drawing(job());
        ScriptedPrintDialog dialog;
        dialog.pdfPath = folder.filePath(QStringLiteral("printed.pdf"));
        QPointer<PrintWindow> frame = open(drawing, owner, PrintCommand::Preview, dialog);
        frame->findChild<QAction*>(QStringLiteral("printAction"))->trigger();
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(dialog.asked, 1);
        QCOMPARE(test::pdfPageCountOf(dialog.pdfPath), 1);
        // The printed file reads back as drawn (人 and 民 share their glyphs with radicals).
        const QString text = test::pdfText(dialog.pdfPath);
        QVERIFY2(text.contains(QStringLiteral("人员序号")), qPrintable(text.left(200)));
        QVERIFY(text.contains(QStringLiteral("民族")));
        QVERIFY(owner.isVisible());
    }

    void previewFillsTheScreenAtPageWidthWithItsControls() {
        QWidget owner;
        owner.show();
        Drawing drawing(job());
        ScriptedPrintDialog dialog;
        QPointer<PrintWindow> frame = open(drawing, owner, PrintCommand::Preview, dialog);
        // Without a window manager a window keeps the size it was given before maximising.
        QCOMPARE(frame->normalGeometry(), owner.screen()->availableGeometry());

        QStringList controls;
        for (QAction* action :
             frame->findChild<QToolBar*>(QStringLiteral("previewToolbar"))->actions()) {
            if (!action->isSeparator()) {
                controls << action->text();
            }
        }
        QCOMPARE(controls, (QStringList{QStringLiteral("打印"), QStringLiteral("放大"),
                                        QStringLiteral("缩小"), QStringLiteral("适合宽度"),
                                        QStringLiteral("整页"), QStringLiteral("关闭")}));

        PreviewView* preview = frame->previewView();
        auto* fitWidth = frame->findChild<QAction*>(QStringLiteral("fitWidthAction"));
        auto* wholePage = frame->findChild<QAction*>(QStringLiteral("wholePageAction"));
        auto* zoomIn = frame->findChild<QAction*>(QStringLiteral("zoomInAction"));
        QVERIFY(fitWidth != nullptr && wholePage != nullptr && zoomIn != nullptr);
        QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::FitToWidth);
        QVERIFY(fitWidth->isChecked() && !wholePage->isChecked());
        wholePage->trigger();
        QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::FitInView);
        QVERIFY(!fitWidth->isChecked() && wholePage->isChecked());
        zoomIn->trigger();
        QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::CustomZoom);
        QVERIFY(!fitWidth->isChecked() && !wholePage->isChecked());
        fitWidth->trigger();
        QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::FitToWidth);
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }

    // Zooming by the toolbar, by real key events and by the wheel with Ctrl held.
    void zoomSteps_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("direction"); // 1 closer, -1 farther, 0 as before
        QTest::newRow("放大 on the toolbar") << "zoomInAction" << 1;
        QTest::newRow("缩小 on the toolbar") << "zoomOutAction" << -1;
        QTest::newRow("Ctrl++") << "Ctrl++" << 1;
        QTest::newRow("Ctrl+=, the same key without Shift") << "Ctrl+=" << 1;
        QTest::newRow("Ctrl+-") << "Ctrl+-" << -1;
        QTest::newRow("Ctrl and the wheel forward") << "Ctrl+wheel+" << 1;
        QTest::newRow("Ctrl and the wheel back") << "Ctrl+wheel-" << -1;
        QTest::newRow("the wheel alone scrolls") << "wheel+" << 0;
    }

    void zoomSteps() {
        QFETCH(QString, how);
        QFETCH(int, direction);
        QWidget owner;
        owner.show();
        Drawing drawing(job());
        ScriptedPrintDialog dialog;
        QPointer<PrintWindow> frame = open(drawing, owner, PrintCommand::Preview, dialog);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        PreviewView* preview = frame->previewView();
        preview->updatePreview();
        const qreal before = preview->zoomFactor();

        QWidget* viewport = preview->findChild<QGraphicsView*>()->viewport();
        const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
            const QPointF centre = QRectF(viewport->rect()).center();
            QWheelEvent event(centre, viewport->mapToGlobal(centre), QPoint(), QPoint(0, delta),
                              Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &event);
        };
        if (how.endsWith(QStringLiteral("Action"))) {
            QAction* action = frame->findChild<QAction*>(how);
            QVERIFY(action != nullptr);
            action->trigger();
        } else if (how == QStringLiteral("Ctrl++")) {
            QTest::keyClick(frame, Qt::Key_Plus, Qt::ControlModifier);
        } else if (how == QStringLiteral("Ctrl+=")) {
            QTest::keyClick(frame, Qt::Key_Equal, Qt::ControlModifier);
        } else if (how == QStringLiteral("Ctrl+-")) {
            QTest::keyClick(frame, Qt::Key_Minus, Qt::ControlModifier);
        } else {
            wheel(how.endsWith(QLatin1Char('+')) ? 120 : -120,
                  how.startsWith(QStringLiteral("Ctrl")) ? Qt::ControlModifier : Qt::NoModifier);
        }

        const qreal after = preview->zoomFactor();
        if (direction > 0) {
            QVERIFY2(after > before * 1.1,
                     qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
        } else if (direction < 0) {
            QVERIFY2(after < before / 1.1,
                     qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
        } else {
            QCOMPARE(after, before);
        }
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }

    // The preview from the keyboard alone. The page has the keyboard when the preview opens and
    // says whose form it shows; Tab goes from it round the toolbar's controls and back to it, and
    // Space presses the control it is on. Esc closes the preview, which holds nothing to lose;
    // Ctrl+P prints the page.
    void previewKeys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("printed"); // pages printed; -1: nothing, the preview stays open
        QTest::addColumn<int>("mode");    // the zoom mode of a preview that stays open
        const auto row = [](const char* why, const char* keys, int printed, int mode) {
            QTest::newRow(why) << QString(keys) << printed << mode;
        };
        const int closed = 0;
        row("Esc closes, printing nothing", "Esc", closed, 0);
        row("Ctrl+P prints the page and closes", "Ctrl+P", 1, 0);
        row("Space on 打印 prints", "Tab Space", 1, 0);
        row("Space on 整页 shows the whole page", "Tab Tab Tab Tab Tab Space", -1,
            QPrintPreviewWidget::FitInView);
        row("Space on 关闭 closes", "Tab Tab Tab Tab Tab Tab Space", closed, 0);
    }

    void previewKeys() {
        QFETCH(QString, keys);
        QFETCH(int, printed);
        QFETCH(int, mode);
        QTemporaryDir folder;
        QWidget owner;
        owner.show();
        Drawing drawing(job());
        ScriptedPrintDialog dialog;
        dialog.pdfPath = folder.filePath(QStringLiteral("printed.pdf"));
        const QString jobName = QStringLiteral("因公护照申请表 - 张三 - 0000130122012035_张三");
        QPointer<PrintWindow> frame =
            new PrintWindow(drawing.callback(), &owner, PrintCommand::Preview, QString(), dialog,
                            PrintHooks{{}, {}, {}, jobName});
        QVERIFY(QTest::qWaitForWindowActive(frame));
        PreviewView* preview = frame->previewView();
        QWidget* page = preview->findChild<QGraphicsView*>();
        QTRY_COMPARE(QApplication::focusWidget(), page);
        for (QWidget* named : {static_cast<QWidget*>(preview), page}) {
            QCOMPARE(QAccessible::queryAccessibleInterface(named)->text(QAccessible::Name),
                     jobName);
        }

        // Round the toolbar and back, each control called as the toolbar shows it.
        const auto stop = [page] {
            QWidget* at = QApplication::focusWidget();
            if (at == page) {
                return QStringLiteral("page");
            }
            auto* button = qobject_cast<QToolButton*>(at);
            return button != nullptr ? button->text() : QStringLiteral("(elsewhere)");
        };
        QStringList round;
        QImage framed; // 打印 while it has the keyboard
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            round << stop();
            if (i == 0) {
                framed = QApplication::focusWidget()->grab().toImage();
            }
        }
        QCOMPARE(round, (QStringList{"打印", "放大", "缩小", "适合宽度", "整页", "关闭", "page"}));
        // The clerk sees which control has the keyboard.
        auto* print = frame->findChild<QToolBar*>()->widgetForAction(
            frame->findChild<QAction*>(QStringLiteral("printAction")));
        QVERIFY(framed != print->grab().toImage());
        QCOMPARE(dialog.asked, 0);

        for (const QString& key : keys.split(QLatin1Char(' '))) {
            if (key == QStringLiteral("Esc")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            } else if (key == QStringLiteral("Ctrl+P")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
            } else {
                QTest::keyClick(QApplication::focusWidget(),
                                key == QStringLiteral("Tab") ? Qt::Key_Tab : Qt::Key_Space);
            }
        }
        if (printed < 0) {
            QVERIFY(frame->isVisible());
            QCOMPARE(int(preview->zoomMode()), mode);
            QCOMPARE(dialog.asked, 0);
            frame->close();
        }
        QTRY_VERIFY(frame.isNull());
        QVERIFY(owner.isVisible());
        QCOMPARE(dialog.asked, printed > 0 ? 1 : 0);
        QCOMPARE(QFile::exists(dialog.pdfPath), printed > 0);
        if (printed > 0) {
            QCOMPARE(test::pdfPageCountOf(dialog.pdfPath), printed);
        }
    }

    void directPrintNeedsNoWindow() {
        QTemporaryDir folder;
        QWidget owner;
        owner.show();
        Drawing drawing(job());
        ScriptedPrintDialog dialog;
        dialog.pdfPath = folder.filePath(QStringLiteral("direct.pdf"));
        QPointer<PrintWindow> frame = open(drawing, owner, PrintCommand::Print, dialog);
        QVERIFY(frame.isNull() || !frame->isVisible());
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(drawing.drawn, 1);
        QCOMPARE(test::pdfPageCountOf(dialog.pdfPath), 1);
        QVERIFY(owner.isVisible());
    }

    void cancelledPrintDialogPrintsNothing() {
        QWidget owner;
        owner.show();
        Drawing drawing(job());
        ScriptedPrintDialog dialog; // no file: cancels
        QPointer<PrintWindow> frame = open(drawing, owner, PrintCommand::Print, dialog);
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(dialog.asked, 1);
        QCOMPARE(drawing.drawn, 0);
        QVERIFY(owner.isVisible());
    }

    void tooLongPayloadWarnsOncePerCommandHoweverOftenThePreviewRepaints() {
        QWidget owner;
        Drawing drawing(job());
        drawing.job.payload = std::string(6000, 'x');
        ScriptedPrintDialog dialog;
        QPointer<PrintWindow> frame = open(drawing, owner, PrintCommand::Preview, dialog);
        frame->previewView()->updatePreview();
        frame->previewView()->updatePreview();
        QVERIFY(drawing.drawn >= 2);
        QCOMPARE(drawing.warnings, QStringList{QStringLiteral("数据太长，二维码不正确！")});
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }
};

} // namespace parvelin::app

QTEST_MAIN(parvelin::app::PrintWindowTest)
#include "PrintWindowTest.moc"
