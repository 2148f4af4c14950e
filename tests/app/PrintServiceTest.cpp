// Printing through a print service of the test's own (cupsd): what reaches the printer, and what
// the clerk is told when nothing does.

#include "app/ApplicantsWindow.h"
#include "app/ChineseLanguage.h"
#include "app/PrintWindow.h"
#include "applicants/OpenedFile.h"
#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "disk/AtomicFile.h"
#include "tests/support/FakePrintService.h"
#include "tests/support/TestData.h"
#include "tests/support/UncheckedRecords.h"
#include "tests/support/app/FormDriver.h"
#include "tests/support/app/FormFixture.h"
#include "tests/support/app/PrivatePrintService.h"

#include <chrono>
#include <memory>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using parvelin::test::FormFixture;
using parvelin::test::PrivatePrintService;
using parvelin::widgets::PlatformServices;

namespace {

parvelin::app::PrintWindow* printWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* frame = qobject_cast<parvelin::app::PrintWindow*>(widget)) {
            return frame;
        }
    }
    return nullptr;
}

// The PostScript a queue wrote, once its job is through the filters.
QByteArray printedJob(const QString& path) {
    QByteArray content;
    QTest::qWaitFor(
        [&] {
            QFile file(path);
            content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            return content.contains("%%EOF");
        },
        30000);
    return content;
}

// "%%Title: (\345\233\240...)": PostScript's octal escapes of the job name's UTF-8 bytes.
QString titleOf(const QByteArray& postScript) {
    const qsizetype start = postScript.indexOf("%%Title: (");
    const qsizetype end = postScript.indexOf(")\n", start);
    if (start < 0 || end < 0) {
        return {};
    }
    QByteArray title;
    const QByteArray escaped = postScript.mid(start + 10, end - start - 10);
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\\' && i + 3 < escaped.size()) {
            title.append(static_cast<char>(escaped.mid(i + 1, 3).toInt(nullptr, 8)));
            i += 3;
        } else {
            title.append(escaped[i]);
        }
    }
    return QString::fromUtf8(title);
}

// The longest the event loop went without running while `command` ran: a timer that should tick
// every 50 ms is watched.
template <typename Command>
qint64 longestStall(Command command) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    ticks.start(50);
    command();
    return std::max(longest, clock.elapsed() - last);
}

} // namespace

// What befalls the print service in a row of the table, and when.
enum Fault {
    None,
    FrozenBefore,       // stopped before the print command
    FrozenInDialog,     // stopped while the print dialog is open
    FrozenInRealDialog, // the same in the program's own print dialog
    RemovedInDialog,    // the printer taken away while the print dialog is open
    KilledInDocument,   // killed while the page goes over
    StoppedInDocument,  // stopped while the page goes over
};

// Bytes from the print dialog's close to well into the page: past the questions about the
// printer and the job's creation, short of the page's end.
constexpr std::uint64_t kIntoThePage = 20000;

class PrintServiceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void theClerkLearnsWhatBecameOfTheJob_data();
    void theClerkLearnsWhatBecameOfTheJob();
    void severalApplicantsGoAsOneJob();
    void theJobCarriesTheClerksChoices_data();
    void theJobCarriesTheClerksChoices();
    void theHandOverSaysWhatTheServiceSaid_data();
    void theHandOverSaysWhatTheServiceSaid();

private:
    std::unique_ptr<PrivatePrintService> m_service;
    std::unique_ptr<FormFixture> m_fixture;
};

void PrintServiceTest::initTestCase() {
    QVERIFY(parvelin::app::useChineseLanguage());
    m_service =
        std::make_unique<PrivatePrintService>(QStringLiteral(PARVELIN_TEST_DATA "/printers"));
    if (!m_service->running()) {
        QSKIP(qPrintable(m_service->whyNot()));
    }
    // Read once by the print service's library, before anything here asks it.
    for (const auto& [name, value] : m_service->clientEnvironment()) {
        qputenv(name, value);
    }
}

void PrintServiceTest::init() {
    m_fixture = std::make_unique<FormFixture>();
    QVERIFY(m_fixture->ready());
}

void PrintServiceTest::cleanup() {
    m_service->thaw();
    if (QPointer<parvelin::app::PrintWindow> frame = printWindow()) {
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }
    QVERIFY2(m_fixture->services.unexpected.isEmpty(),
             qPrintable(m_fixture->services.unexpected.join(QLatin1Char('\n'))));
    m_fixture.reset();
}

void PrintServiceTest::theClerkLearnsWhatBecameOfTheJob_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<bool>("fromPreview");
    QTest::addColumn<int>("fault"); // what befalls the service, and when
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QByteArray>("paper"); // of the job as the printer got it; empty for none
    // A third line of remarks, which the page cuts, and the clerk's answer to the question it
    // raises (-1: no question).
    QTest::addColumn<int>("printCut");
    const QByteArray a4 = "%%HiResBoundingBox: 0 0 595.00 842.00";
    const QByteArray letter = "%%HiResBoundingBox: 0 0 612.00 792.00";
    QTest::newRow("a Letter printer is asked for A4")
        << QStringLiteral("letter") << false << int(None) << QString() << a4 << -1;
    QTest::newRow("a printer without A4 prints scaled, when the clerk agrees")
        << QStringLiteral("letteronly") << false << int(None) << QString() << letter << -1;
    QTest::newRow("a queue that takes no jobs")
        << QStringLiteral("rejecting") << true << int(None)
        << QStringLiteral("打印失败：打印机不接受新的打印任务（打印机：rejecting）") << QByteArray()
        << -1;
    QTest::newRow("a paused printer holds the job")
        << QStringLiteral("stopped") << false << int(None)
        << QStringLiteral("打印任务正在等待：打印机已暂停（打印机：stopped）") << QByteArray()
        << -1;
    QTest::newRow("remarks the page cuts: the clerk thinks again")
        << QStringLiteral("letter") << true << int(None) << QString() << QByteArray() << 0;
    QTest::newRow("remarks the page cuts, printed all the same")
        << QStringLiteral("letter") << false << int(None) << QString() << a4 << 1;
    QTest::newRow("a service that does not answer")
        << QStringLiteral("letter") << false << int(FrozenBefore)
        << QStringLiteral("打印服务无响应") << QByteArray() << -1;
    QTest::newRow("a service that stops answering while the preview is open")
        << QStringLiteral("letter") << true << int(FrozenBefore) << QStringLiteral("打印服务无响应")
        << QByteArray() << -1;
    QTest::newRow("a service that stops answering while the print dialog is open")
        << QStringLiteral("letter") << false << int(FrozenInDialog)
        << QStringLiteral("打印失败：打印服务无响应（打印机：letter）\n没有任何页面会打印出来。")
        << QByteArray() << -1;
    QTest::newRow("the same in the program's own print dialog, which stays open")
        << QStringLiteral("letter") << false << int(FrozenInRealDialog)
        << QStringLiteral("打印服务无响应") << QByteArray() << -1;
    QTest::newRow("a printer taken away while the print dialog is open")
        << QStringLiteral("letter") << false << int(RemovedInDialog)
        << QStringLiteral("打印失败：找不到打印机（letter）") << QByteArray() << -1;
    QTest::newRow("a service killed while the page goes over")
        << QStringLiteral("letter") << false << int(KilledInDocument)
        << QStringLiteral(
               "打印失败：与打印服务的连接中断（打印机：letter）\n没有任何页面会打印出来。")
        << QByteArray() << -1;
    QTest::newRow("a service stopped while the page goes over")
        << QStringLiteral("letter") << true << int(StoppedInDocument)
        << QStringLiteral("打印失败：打印服务无响应（打印机：letter）\n没有任何页面会打印出来。")
        << QByteArray() << -1;
}

void PrintServiceTest::theClerkLearnsWhatBecameOfTheJob() {
    QFETCH(QString, queue);
    QFETCH(bool, fromPreview);
    QFETCH(int, fault);
    QFETCH(QString, notice);
    QFETCH(QByteArray, paper);
    QFETCH(int, printCut);
    auto& services = m_fixture->services;
    // The suffix in capitals, as archives from other systems write it: the job's name is without
    // it.
    const QString file = m_fixture->folder.filePath(QStringLiteral("000013012201103330_3676.ZBDW"));
    auto sample = parvelin::applicants::openDataFile(PARVELIN_TEST_DATA "/samples/000.zbdw", {});
    QVERIFY(std::holds_alternative<parvelin::applicants::OpenedDataFile>(sample));
    auto applicant = std::get<parvelin::applicants::OpenedDataFile>(sample).record;
    if (printCut >= 0) {
        applicant.remarks = parvelin::record::gbk("第一行\r\n第二行\r\n赴遼寧省參加會議後出國");
    }
    QVERIFY(!parvelin::disk::writeFileAtomically(
        file.toStdString(),
        parvelin::datafile::sealRecord(parvelin::test::fileRecordOf(applicant))));
    if (printCut >= 0) {
        services.answers.push_back(printCut == 1 ? PlatformServices::Answer::Yes
                                                 : PlatformServices::Answer::No);
    }
    services.openPaths.push_back(file);
    m_fixture->find<QPushButton>("openButton")->click();
    QVERIFY(services.notices.isEmpty());

    const bool frozen = fault == FrozenBefore;
    if (fault == FrozenInRealDialog) {
        services.realPrintDialog = true;
        parvelin::test::whenModal<QPrintDialog>([this](QPrintDialog* dialog) {
            m_service->freeze();
            QTest::keyClick(dialog, Qt::Key_Return); // 打印: not taken, and said
            QVERIFY(dialog->isVisible());
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
    } else if (!frozen && printCut != 0) {
        services.printPaths.push_back(QStringLiteral("printer:") + queue);
    }
    switch (fault) {
    case FrozenInDialog:
        services.whilePrintDialogOpen = [this] { m_service->freeze(); };
        break;
    case RemovedInDialog:
        services.whilePrintDialogOpen = [this, queue] { m_service->removePrinter(queue); };
        break;
    case KilledInDocument:
        services.whilePrintDialogOpen = [this] { m_service->relay().killAfter(kIntoThePage); };
        break;
    case StoppedInDocument:
        services.whilePrintDialogOpen = [this] { m_service->relay().stopAfter(kIntoThePage); };
        break;
    default:
        break;
    }
    if (queue == QStringLiteral("letteronly")) {
        services.choiceAnswers.push_back(0); // 缩放打印
    }
    if (fromPreview) {
        m_fixture->find<QPushButton>("printPreviewButton")->click();
        QVERIFY(printWindow() != nullptr);
    }
    if (frozen) {
        m_service->freeze();
    }
    QElapsedTimer clock;
    clock.start();
    const qint64 stall = longestStall([&] {
        if (fromPreview) {
            printWindow()->findChild<QAction*>(QStringLiteral("printAction"))->trigger();
        } else {
            m_fixture->find<QPushButton>("printButton")->click();
        }
    });
    QVERIFY2(stall < 1000, qPrintable(QStringLiteral("the window stood still %1 ms").arg(stall)));
    QVERIFY2(clock.elapsed() < 5000, "the clerk waited on the print service");
    QCOMPARE(services.notices, notice.isEmpty() ? QStringList() : QStringList{notice});
    if (fault == RemovedInDialog) {
        QVERIFY(m_service->addPrinter(queue));
    }
    if (fault == KilledInDocument) {
        QTRY_VERIFY(m_service->relay().struck());
        QVERIFY(m_service->restart());
    }
    if (fault == KilledInDocument || fault == StoppedInDocument) {
        // Whatever the service makes of the job once it answers again, it never prints it: the
        // job is held without its page, or cancelled.
        m_service->thaw();
        QTest::qWait(500);
        const auto jobs = m_service->jobs();
        QVERIFY(jobs && !jobs->empty());
        QVERIFY2(jobs->back().state == IPP_JSTATE_HELD || jobs->back().state == IPP_JSTATE_CANCELED,
                 qPrintable(QString::number(jobs->back().state)));
    }
    if (fromPreview) {
        QVERIFY2(printWindow() != nullptr, "the preview stays open when nothing was printed");
    }
    if (printCut >= 0) {
        QCOMPARE(services.prompts.size(), std::size_t(1));
        QCOMPARE(services.prompts[0].text,
                 QStringLiteral("以下内容在表格中显示不全，打印出来会缺字：备注。\n仍要打印吗？"));
    }
    if (frozen || printCut == 0) {
        QCOMPARE(services.printDialogs, 0);
        QVERIFY(m_fixture->form.isVisible() || fromPreview); // the form stays usable
    }
    if (!paper.isEmpty()) {
        const QByteArray job = printedJob(m_service->out(queue));
        QVERIFY2(job.contains(paper), job.left(400).constData());
        QCOMPARE(titleOf(job), QStringLiteral("因公护照申请表 - 魏平伟 - 000013012201103330_3676"));
    }
}

// Applicants chosen in the applicants window reach the printer as one job, a page each, on A4.
void PrintServiceTest::severalApplicantsGoAsOneJob() {
    auto& services = m_fixture->services;
    const QString day = services.executable + QStringLiteral("/Lorvane/2012-05-17");
    QVERIFY(QDir().mkpath(day));
    QVERIFY(QFile::setPermissions(services.executable + QStringLiteral("/Lorvane"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(QFile::setPermissions(day, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    for (const char* sample : {"000", "005"}) {
        QVERIFY(QFile::copy(QStringLiteral(PARVELIN_TEST_DATA "/samples/") + QLatin1String(sample) +
                                QStringLiteral(".zbdw"),
                            day + QLatin1Char('/') + QLatin1String(sample) + ".zbdw"));
    }
    services.printPaths.push_back(QStringLiteral("printer:letter"));
    m_fixture->find<QPushButton>("applicantsButton")->click();
    auto* applicants = m_fixture->form.findChild<parvelin::app::ApplicantsWindow*>();
    QVERIFY(applicants != nullptr);
    auto* table = applicants->findChild<QTableView*>(QStringLiteral("applicantTable"));
    QTRY_COMPARE(table->model()->rowCount(), 2);
    table->selectAll();
    applicants->findChild<QPushButton*>(QStringLiteral("printButton"))->click();
    QVERIFY(services.notices.isEmpty());
    // Said where the clerk printed them, and on the form.
    const QString said = applicants->findChild<QLabel*>(QStringLiteral("statusLabel"))->text();
    QVERIFY2(said.startsWith(QStringLiteral("已送往 letter：2 页，任务 ")), qPrintable(said));
    QCOMPARE(m_fixture->find<QLabel>("statusNote")->text(), said);

    const QString title = QStringLiteral("因公护照申请表 - 2 名申请人 - 2012-05-17");
    QByteArray job;
    QTest::qWaitFor(
        [&] {
            // Whole once its trailer is written: embedded resources carry "%%EOF" of their own.
            job = printedJob(m_service->out(QStringLiteral("letter")));
            return titleOf(job) == title && job.contains("%%Trailer");
        },
        30000);
    QCOMPARE(titleOf(job), title);
    QCOMPARE(job.count("%%Page: "), 2);
    QVERIFY(job.contains("%%HiResBoundingBox: 0 0 595.00 842.00"));
}

// The copies and the saved set of options chosen in the print dialog reach the service with the
// job, on A4, and the form's status line names the job.
void PrintServiceTest::theJobCarriesTheClerksChoices_data() {
    QTest::addColumn<QString>("printer");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("numberUp"); // 0: the printer's own
    QTest::addColumn<QString>("note");
    QTest::newRow("two copies") << QStringLiteral("letter") << 2 << 0
                                << QStringLiteral("已送往 letter：1 页 × 2 份，任务 ");
    QTest::newRow("a saved set of options, two pages to a sheet")
        << QStringLiteral("letter/draft") << 1 << 2
        << QStringLiteral("已送往 letter/draft：1 页，任务 ");
}

void PrintServiceTest::theJobCarriesTheClerksChoices() {
    QFETCH(QString, printer);
    QFETCH(int, copies);
    QFETCH(int, numberUp);
    QFETCH(QString, note);
    auto& services = m_fixture->services;
    services.openPaths.push_back(QStringLiteral(PARVELIN_TEST_DATA "/samples/000.zbdw"));
    m_fixture->find<QPushButton>("openButton")->click();
    services.printPaths.push_back(QStringLiteral("printer:") + printer);
    services.printCopies = copies;
    m_fixture->find<QPushButton>("printButton")->click();
    QCOMPARE(services.notices, QStringList());

    const QString said = m_fixture->find<QLabel>("statusNote")->text();
    QVERIFY2(said.startsWith(note), qPrintable(said));
    bool numbered = false;
    const int jobId = said.mid(note.size()).toInt(&numbered);
    QVERIFY(numbered);
    const auto job = m_service->job(jobId);
    QVERIFY(job.has_value());
    QCOMPARE(job->queue, QStringLiteral("letter"));
    QCOMPARE(job->copies.value_or(1), copies);
    QCOMPARE(job->numberUp.value_or(0), numberUp);
    QCOMPARE(job->media, QStringLiteral("iso_a4_210x297mm"));
}

// What the clerk is told of each answer the print service may give, through a service that
// answers as told: the paper found, the copies asked for, and a service that falls silent.
void PrintServiceTest::theHandOverSaysWhatTheServiceSaid_data() {
    using Hold = parvelin::test::FakePrintService::Hold;
    QTest::addColumn<QStringList>("media");
    QTest::addColumn<bool>("printerGone");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("hold");
    // The clerk's answer to the question about paper: -1 none asked, 0 缩放打印, 1 取消.
    QTest::addColumn<int>("paper");
    // The password the service asks for and the clerk gives, after a while longer than the
    // service's patience; null: none asked, empty: declined.
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("held"); // why the service holds the job; null: it takes it
    const QString sent = QStringLiteral("已送往 letter：1 页，任务 42");
    QTest::newRow("A4 whatever the printer appends to its name")
        << QStringList{"na_letter_8.5x11in", "iso_a4_210x297mm.Borderless"} << false << 1
        << int(Hold::None) << -1 << QString() << QString() << sent << QString();
    QTest::newRow("A4 of the printer files' own names")
        << QStringList{"Letter", "A4.FullBleed"} << false << 1 << int(Hold::None) << -1 << QString()
        << QString() << sent << QString();
    QTest::newRow("A4 Extra is another paper")
        << QStringList{"iso_a4-extra_235.5x322.3mm", "na_letter_8.5x11in"} << false << 1
        << int(Hold::None) << 0 << QString() << QString() << sent << QString();
    QTest::newRow("the copies chosen reach the service")
        << QStringList{"iso_a4_210x297mm"} << false << 2 << int(Hold::None) << -1 << QString()
        << QString() << QStringLiteral("已送往 letter：1 页 × 2 份，任务 42") << QString();
    QTest::newRow("a printer gone meanwhile")
        << QStringList() << true << 1 << int(Hold::None) << -1 << QString()
        << QStringLiteral("打印失败：找不到打印机（letter）") << QString() << QString();
    QTest::newRow("silent before the job was let go")
        << QStringList() << false << 1 << int(Hold::BeforeLetGo) << -1 << QString()
        << QStringLiteral("打印失败：打印服务无响应（打印机：letter）\n没有任何页面会打印出来。")
        << QString() << QString();
    QTest::newRow("silent once the job was let go")
        << QStringList() << false << 1 << int(Hold::AfterLetGo) << -1 << QString()
        << QStringLiteral("打印失败：打印服务无响应（打印机：letter）\n"
                          "页面可能仍会打印出来：请先看打印机，再决定是否重新打印。")
        << QString() << QString();
    QTest::newRow("a password the clerk takes a while to give")
        << QStringList() << false << 1 << int(Hold::None) << -1 << QStringLiteral("secret")
        << QString() << sent << QString();
    QTest::newRow("a password the clerk declines")
        << QStringList() << false << 1 << int(Hold::None) << -1 << QStringLiteral("")
        << QStringLiteral("打印失败：没有使用该打印机的权限（打印机：letter）") << QString()
        << QString();
    QTest::newRow("a paused printer holds the job")
        << QStringList{"iso_a4_210x297mm"} << false << 1 << int(Hold::None) << -1 << QString()
        << QStringLiteral("打印任务正在等待：打印机已暂停（打印机：letter）") << QString()
        << QStringLiteral("打印机已暂停");
    QTest::newRow("a printer without A4, the clerk cancels: nothing goes, nothing failed")
        << QStringList{"na_letter_8.5x11in"} << false << 1 << int(Hold::None) << 1 << QString()
        << QString() << QString() << QString();
}

void PrintServiceTest::theHandOverSaysWhatTheServiceSaid() {
    using Hold = parvelin::test::FakePrintService::Hold;
    QFETCH(QStringList, media);
    QFETCH(bool, printerGone);
    QFETCH(int, copies);
    QFETCH(int, hold);
    QFETCH(int, paper);
    QFETCH(QString, password);
    QFETCH(QString, notice);
    QFETCH(QString, note);
    QFETCH(QString, held);
    auto& services = m_fixture->services;
    const auto fake = std::make_shared<parvelin::test::FakePrintService>();
    if (!password.isNull()) {
        fake->wantsPassword = true;
        services.passwords.push_back(password);
        services.whilePasswordAsked = [&fake] { QTest::qWait(fake->answerWithin.count() + 500); };
    }
    for (const QString& name : media) {
        fake->media.media.push_back(name.toStdString());
    }
    if (printerGone) {
        fake->media.fault = parvelin::print::ServiceFault::PrinterNotFound;
    }
    fake->hold = static_cast<Hold>(hold);
    if (!held.isNull()) {
        fake->job = {parvelin::print::JobReport::Outcome::Waiting,
                     parvelin::print::ServiceFault::None, held.toStdString(), 43};
    }
    services.printer = fake;
    services.openPaths.push_back(QStringLiteral(PARVELIN_TEST_DATA "/samples/000.zbdw"));
    m_fixture->find<QPushButton>("openButton")->click();
    services.printPaths.push_back(QStringLiteral("printer:letter"));
    services.printCopies = copies;
    if (paper >= 0) {
        services.choiceAnswers.push_back(paper);
    }

    QElapsedTimer clock;
    clock.start();
    const qint64 stall =
        longestStall([&] { m_fixture->find<QPushButton>("printButton")->click(); });
    QVERIFY2(stall < 1000, qPrintable(QStringLiteral("the window stood still %1 ms").arg(stall)));
    if (password.isNull()) {
        QVERIFY2(clock.elapsed() < fake->answerWithin.count() + 1000, "the clerk waited too long");
    } else {
        QCOMPARE(services.passwordQuestions, QStringList{QStringLiteral("letter clerk")});
        QCOMPARE(fake->password().value_or("declined"),
                 password.isEmpty() ? std::string("declined") : password.toStdString());
    }
    QCOMPARE(services.notices, notice.isEmpty() ? QStringList() : QStringList{notice});
    QCOMPARE(m_fixture->find<QLabel>("statusNote")->text(), note);
    QVERIFY(services.choiceAnswers.empty()); // asked exactly when expected
    const std::vector<parvelin::print::PrintRequest> requests = fake->requests();
    QCOMPARE(requests.size(), std::size_t(printerGone || paper == 1 ? 0 : 1));
    if (!requests.empty()) {
        QCOMPARE(requests[0].copies, copies);
        QCOMPARE(requests[0].fitToPaper, paper == 0);
        QVERIFY(requests[0].pdf.starts_with("%PDF-"));
    }
}

QTEST_MAIN(PrintServiceTest)
#include "PrintServiceTest.moc"
