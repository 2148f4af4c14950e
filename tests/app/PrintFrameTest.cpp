// The print command's window: preview of the one page, printing through the print dialog, and
// the owner window hidden and shown again.

#include "app/PrintFrame.h"

#include "tests/support/Applicants.h"
#include "tests/support/FixedClock.h"
#include "tests/support/PdfPages.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

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

class PrintFrameTest : public QObject {
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
                DrawFormPage(printer, job, [this](std::string_view message) {
                    warnings << QString::fromUtf8(message.data(), qsizetype(message.size()));
                });
            };
        }
    };

private slots:
    void previewShowsOnePageAndHidesTheOwner() {
        QWidget owner;
        owner.setWindowTitle(QStringLiteral("Parvelin"));
        owner.show();
        Drawing drawing(job());
        ScriptedPrintDialog dialog;
        QPointer<CMainFrame> frame =
            new CMainFrame(drawing.callback(), &owner, PrintCommand::Preview, QString(), dialog);
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
        QPointer<CMainFrame> frame =
            new CMainFrame(drawing.callback(), &owner, PrintCommand::Preview, QString(), dialog);
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
        QPointer<CMainFrame> frame =
            new CMainFrame(drawing.callback(), &owner, PrintCommand::Preview, QString(), dialog);
        frame->findChild<QAction*>(QStringLiteral("printAction"))->trigger();
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(dialog.asked, 1);
        QCOMPARE(test::pdfPageCountOf(dialog.pdfPath), 1);
        QVERIFY(owner.isVisible());
    }

    void directPrintNeedsNoWindow() {
        QTemporaryDir folder;
        QWidget owner;
        owner.show();
        Drawing drawing(job());
        ScriptedPrintDialog dialog;
        dialog.pdfPath = folder.filePath(QStringLiteral("direct.pdf"));
        QPointer<CMainFrame> frame =
            new CMainFrame(drawing.callback(), &owner, PrintCommand::Print, QString(), dialog);
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
        QPointer<CMainFrame> frame =
            new CMainFrame(drawing.callback(), &owner, PrintCommand::Print, QString(), dialog);
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
        QPointer<CMainFrame> frame =
            new CMainFrame(drawing.callback(), &owner, PrintCommand::Preview, QString(), dialog);
        frame->previewView()->updatePreview();
        frame->previewView()->updatePreview();
        QVERIFY(drawing.drawn >= 2);
        QCOMPARE(drawing.warnings, QStringList{QStringLiteral("数据太长，二维码不正确！")});
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }
};

} // namespace parvelin::app

QTEST_MAIN(parvelin::app::PrintFrameTest)
#include "PrintFrameTest.moc"
