// The form's pages on a QPrinter: the preview's pages and a PDF file that a print dialog chose.

#include "print/qt/PrinterPages.h"

#include "tests/support/Applicants.h"
#include "tests/support/FixedClock.h"
#include "tests/support/PdfPages.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace parvelin::print {

using namespace std::chrono_literals;

class PrinterPagesTest : public QObject {
    Q_OBJECT

private slots:
    // Several applicants in one command: a page each, each the page the job prints alone; one
    // whose barcode cannot be made keeps its empty page, is named by its place, and the others
    // print all the same.
    void severalJobsPrintAPageEachAsAlone() {
        QTemporaryDir folder;
        std::vector<PrintJob> jobs;
        for (const char* surname : {"李", "王", "赵"}) {
            record::MemberRecord record = test::validApplicant();
            record.surnameChinese = record::gbk(surname);
            auto prepared = preparePrintJob(record, test::FixedClock(2012y / 5 / 17));
            jobs.push_back(std::get<PrintJob>(prepared));
        }
        jobs[1].payload = std::string(6000, 'x');
        const std::vector<PrintJob> fresh = jobs;
        std::vector<std::pair<std::size_t, QString>> warnings;
        std::vector<barcode::DrawStatus> statuses;
        const auto drawing = [&](QPrinter& printer) {
            statuses = printFormPages(printer, jobs, [&](std::size_t job, std::string_view text) {
                warnings.emplace_back(job, QString::fromUtf8(text.data(), qsizetype(text.size())));
            });
        };
        {
            QPrinter previewed(QPrinter::HighResolution);
            prepareFormPrinter(previewed);
            QPrintPreviewWidget preview(&previewed);
            connect(&preview, &QPrintPreviewWidget::paintRequested, this,
                    [&](QPrinter* printer) { drawing(*printer); });
            preview.updatePreview();
            QCOMPARE(preview.pageCount(), 3);
        }

        QPrinter printed(QPrinter::HighResolution);
        prepareFormPrinter(printed);
        printed.setOutputFormat(QPrinter::PdfFormat);
        printed.setOutputFileName(folder.filePath(QStringLiteral("group.pdf")));
        drawing(printed);
        QCOMPARE(test::pdfPageCountOf(printed.outputFileName()), 3);
        using barcode::DrawStatus;
        QCOMPARE(statuses,
                 (std::vector{DrawStatus::Ok, DrawStatus::PayloadTooLong, DrawStatus::Ok}));
        QCOMPARE(warnings.size(), 1u); // once for the whole command, however often it is drawn
        QCOMPARE(warnings.front().first, 1u);
        QCOMPARE(warnings.front().second, QStringLiteral("数据太长，二维码不正确！"));

        const auto pageText = [](const QString& path, int page) {
            const QString number = QString::number(page);
            return QString::fromUtf8(test::popplerOutput(
                QStringLiteral("pdftotext"), {QStringLiteral("-f"), number, QStringLiteral("-l"),
                                              number, path, QStringLiteral("-")}));
        };
        for (std::size_t i : {0u, 2u}) {
            QPrinter alone(QPrinter::HighResolution);
            prepareFormPrinter(alone);
            alone.setOutputFormat(QPrinter::PdfFormat);
            alone.setOutputFileName(folder.filePath(QStringLiteral("alone%1.pdf").arg(i)));
            PrintJob job = fresh[i];
            QCOMPARE(printFormPage(alone, job, [](std::string_view) {}), DrawStatus::Ok);
            const QString text = pageText(alone.outputFileName(), 1);
            QVERIFY2(text.contains(QStringLiteral("人员序号")), qPrintable(text.left(200)));
            QCOMPARE(pageText(printed.outputFileName(), int(i) + 1), text);
        }
        QCOMPARE(pageText(printed.outputFileName(), 2).trimmed(), QString());
    }
};

} // namespace parvelin::print

QTEST_MAIN(parvelin::print::PrinterPagesTest)
#include "PrinterPagesTest.moc"
