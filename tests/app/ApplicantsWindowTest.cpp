// The applicants window on a day folder of made files: the rows with their marks and causes, the
// filter, opening and printing by keys and buttons, and the choice of day folders.

#include "app/ApplicantsWindow.h"

#include "datafile/DataFile.h"
#include "tests/support/Applicants.h"
#include "tests/support/UncheckedRecords.h"
#include "tests/support/app/FormDriver.h"
#include "tests/support/app/ScriptedServices.h"

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(parvelin::app::ChosenFile)
Q_DECLARE_METATYPE(std::vector<parvelin::app::ChosenFile>)

namespace parvelin::app {

namespace {

constexpr std::string_view kGroup = "0000130122012035";

struct MadeFile {
    const char* name;
    const char* surname;
    const char* givenName;
    const char* pinyin; // surname and given name, a blank between
    const char* sequence;
    const char* idNumber;
    std::int64_t savedAt; // seconds since the epoch
};

// Today's folder: 张三 and 李四 hold the same identity number, 张三 and 王五 the same group and
// sequence number, 赵六 nobody else's; one file does not open.
const MadeFile kToday[] = {
    {"1_张三.zbdw", "张", "三", "ZHANG SAN", "1", "110101198001010010", 1'337'240'000},
    {"7_李四.zbdw", "李", "四", "LI SI", "7", "110101198001010010", 1'337'230'000},
    {"1_王五.zbdw", "王", "五", "WANG WU", "1", "110101198001010036", 1'337'250'000},
    {"33_赵六.zbdw", "赵", "六", "ZHAO LIU", "33", "110101198001010052", 1'337'220'000},
};
constexpr const char* kBroken = "no-header.zbdw";
constexpr std::int64_t kBrokenSavedAt = 1'337'260'000;

void setSavedAt(const QString& path, std::int64_t second) {
    const timespec times[2] = {{second, 0}, {second, 0}};
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
}

void make(const QString& folder, const MadeFile& file) {
    record::MemberRecord r = test::validApplicant();
    r.groupNumber = kGroup;
    r.surnameChinese = record::gbk(file.surname);
    r.givenNameChinese = record::gbk(file.givenName);
    const std::string_view pinyin = file.pinyin;
    r.surnamePinyin = pinyin.substr(0, pinyin.find(' '));
    r.givenNamePinyin = pinyin.substr(pinyin.find(' ') + 1);
    r.personalSequence = file.sequence;
    r.idDocumentNumber = file.idNumber;
    const QString path = folder + QLatin1Char('/') + QString::fromUtf8(file.name);
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary)
        << datafile::sealRecord(test::fileRecordOf(r));
    setSavedAt(path, file.savedAt);
}

} // namespace

class ApplicantsWindowTest : public QObject {
    Q_OBJECT

private:
    // A day folder of 2012-05-17 beside one of the day before, and the window over it, shown and
    // done reading.
    struct Fixture {
        Fixture()
            : services(root.path())
            , today(root.path() + QStringLiteral("/Lorvane/2012-05-17"))
            , yesterday(root.path() + QStringLiteral("/Lorvane/2012-05-16")) {
            QDir().mkpath(today);
            QDir().mkpath(yesterday);
            for (const MadeFile& file : kToday) {
                make(today, file);
            }
            const QString broken = today + QLatin1Char('/') + QLatin1String(kBroken);
            std::ofstream(QFile::encodeName(broken).toStdString()) << "not a data file";
            setSavedAt(broken, kBrokenSavedAt);
            make(yesterday, {"7_孙七.zbdw", "孙", "七", "SUN QI", "7", "110101198001010079", 0});
            window = std::make_unique<ApplicantsWindow>(services, today);
            window->show();
            window->activateWindow();
        }
        bool ready() {
            return QTest::qWaitForWindowActive(window.get()) &&
                   QTest::qWaitFor([this] { return !status().startsWith(QStringLiteral("正在")); });
        }
        template <typename Widget>
        Widget* find(const char* name) {
            return window->findChild<Widget*>(QLatin1String(name));
        }
        QTableView* table() { return find<QTableView>("applicantTable"); }
        QString status() { return find<QLabel>("statusLabel")->text(); }
        // A column of the rows as shown.
        QStringList column(int column, int role = Qt::DisplayRole) {
            QStringList values;
            const QAbstractItemModel* model = table()->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                values << model->index(row, column).data(role).toString();
            }
            return values;
        }
        QRect rowRect(const QString& fileName) {
            const int row = column(6).indexOf(fileName);
            return table()->visualRect(table()->model()->index(row, 0));
        }
        std::string path(const QString& fileName) {
            return QFile::encodeName(today + QLatin1Char('/') + fileName).toStdString();
        }

        QTemporaryDir root;
        test::ScriptedServices services;
        QString today;
        QString yesterday;
        std::unique_ptr<ApplicantsWindow> window;
    };

private slots:
    void initTestCase() {
        qRegisterMetaType<ChosenFile>();
        qRegisterMetaType<std::vector<ChosenFile>>();
    }

    // Every file a row, by personal sequence number as numbers; the marked rows say why, the
    // broken file says its cause (with its path in the tooltip, as Open says it); a click on
    // 保存时间 orders by the time saved.
    void listsTheFolderWithMarksAndCauses() {
        Fixture f;
        QVERIFY(f.ready());
        QCOMPARE(f.window->windowTitle(), QStringLiteral("申请人列表"));
        QCOMPARE(f.status(), QStringLiteral("共 5 个数据文件，3 个与其他文件重复，1 个无法打开"));
        const QString cause = QStringLiteral("不是数据文件（解密后没有记录）（%1/%2）")
                                  .arg(f.today, QLatin1String(kBroken));
        struct Row {
            QString sequence, name, pinyin, tooltip, file;
        };
        const Row expected[] = {
            {"", "不是数据文件（解密后没有记录）", "", cause, kBroken},
            {"1", "张三", "ZHANG SAN",
             "证件号码与“7_李四.zbdw”相同\n团组号和个人序号与“1_王五.zbdw”相同", "1_张三.zbdw"},
            {"1", "王五", "WANG WU", "团组号和个人序号与“1_张三.zbdw”相同", "1_王五.zbdw"},
            {"7", "李四", "LI SI", "证件号码与“1_张三.zbdw”相同", "7_李四.zbdw"},
            {"33", "赵六", "ZHAO LIU", "", "33_赵六.zbdw"},
        };
        const QAbstractItemModel* model = f.table()->model();
        QCOMPARE(model->rowCount(), int(std::size(expected)));
        for (int row = 0; row < model->rowCount(); ++row) {
            const Row& e = expected[row];
            const auto cell = [&](int column, int role = Qt::DisplayRole) {
                return model->index(row, column).data(role).toString();
            };
            QCOMPARE(cell(0), e.sequence);
            QCOMPARE(cell(1), e.name);
            QCOMPARE(cell(2), e.pinyin);
            QCOMPARE(cell(6), e.file);
            for (int column = 0; column < model->columnCount(); ++column) {
                QCOMPARE(cell(column, Qt::ToolTipRole), e.tooltip); // wherever the mouse rests
            }
            QCOMPARE(model->index(row, 0).data(Qt::DecorationRole).isNull(), e.tooltip.isEmpty());
        }
        QCOMPARE(f.column(3).at(1), QStringLiteral("110101198001010010"));
        QCOMPARE(f.column(4).at(1), QString::fromLatin1(kGroup.data(), kGroup.size()));

        QHeaderView* header = f.table()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(5) + 5, header->height() / 2));
        QCOMPARE(f.column(6), (QStringList{"33_赵六.zbdw", "7_李四.zbdw", "1_张三.zbdw",
                                           "1_王五.zbdw", kBroken}));
        // The cause takes the room of the empty columns, wherever its row goes.
        QCOMPARE(f.table()->columnSpan(4, 1), 4);
        QCOMPARE(f.table()->columnSpan(0, 1), 1);
        QCOMPARE(f.column(5).at(0),
                 QDateTime::fromSecsSinceEpoch(kToday[3].savedAt).toString("yyyy-MM-dd HH:mm:ss"));
    }

    void filterShowsTheMatchingRows_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("Chinese name") << "张三" << QStringList{"1_张三.zbdw"};
        QTest::newRow("pinyin, lower case, blank") << "li si" << QStringList{"7_李四.zbdw"};
        QTest::newRow("identity number") << "1010036" << QStringList{"1_王五.zbdw"};
        QTest::newRow("personal sequence number") << "33" << QStringList{"33_赵六.zbdw"};
        QTest::newRow("group number, every applicant")
            << "2012035"
            << QStringList{"1_张三.zbdw", "1_王五.zbdw", "7_李四.zbdw", "33_赵六.zbdw"};
        QTest::newRow("a broken file by its name") << "header" << QStringList{kBroken};
        QTest::newRow("nobody") << "钱" << QStringList{};
    }

    void filterShowsTheMatchingRows() {
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        Fixture f;
        QVERIFY(f.ready());
        auto* filter = f.find<QLineEdit>("filterBox");
        QVERIFY(filter->hasFocus());
        test::typeText(filter, typed);
        QCOMPARE(f.column(6), shown);
        filter->clear();
        QCOMPARE(f.column(6).size(), 5);
    }

    // What the keys and buttons ask of the main form. Rows are chosen with the mouse (Ctrl adds
    // one), then a key or button. Meanwhile 7_李四.zbdw may come to hold another applicant, 王伟,
    // or be removed: the window says so, shows what the folder holds now, and asks before it acts
    // (是 goes on with the files as they are now; 否 and Esc do nothing).
    void keysAndButtonsAskToOpenOrPrint_data() {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<bool>("preview");
        QTest::newRow("Return on a row opens it") << QStringList{"7_李四.zbdw"} << "Return"
                                                  << ""
                                                  << ""
                                                  << "7_李四.zbdw" << QStringList{} << false;
        QTest::newRow("a double click opens the row")
            << QStringList{"33_赵六.zbdw"} << "double click"
            << ""
            << ""
            << "33_赵六.zbdw" << QStringList{} << false;
        QTest::newRow("打开") << QStringList{"1_王五.zbdw"} << "openButton"
                              << ""
                              << ""
                              << "1_王五.zbdw" << QStringList{} << false;
        QTest::newRow("Return on a file that does not open") << QStringList{kBroken} << "Return"
                                                             << ""
                                                             << ""
                                                             << "" << QStringList{} << false;
        QTest::newRow("打印 of three rows, in the table's order")
            << QStringList{"33_赵六.zbdw", "7_李四.zbdw", "1_张三.zbdw"} << "printButton"
            << ""
            << ""
            << "" << QStringList{"1_张三.zbdw", "7_李四.zbdw", "33_赵六.zbdw"} << false;
        QTest::newRow("打印预览 leaves out a file that does not open")
            << QStringList{kBroken, "1_王五.zbdw"} << "previewButton"
            << ""
            << ""
            << "" << QStringList{"1_王五.zbdw"} << true;
        QTest::newRow("Return on a row that holds another applicant now, 是")
            << QStringList{"7_李四.zbdw"} << "Return"
            << "another applicant"
            << "Yes"
            << "7_李四.zbdw" << QStringList{} << false;
        QTest::newRow("打开 on a row that holds another applicant now, 否")
            << QStringList{"7_李四.zbdw"} << "openButton"
            << "another applicant"
            << "No"
            << "" << QStringList{} << false;
        QTest::newRow("打印预览 of two rows, one holding another applicant now, Esc")
            << QStringList{"1_张三.zbdw", "7_李四.zbdw"} << "previewButton"
            << "another applicant"
            << "Esc"
            << "" << QStringList{} << true;
        QTest::newRow("打印 of two rows, one holding another applicant now, 是")
            << QStringList{"7_李四.zbdw", "1_张三.zbdw"} << "printButton"
            << "another applicant"
            << "Yes"
            << "" << QStringList{"1_张三.zbdw", "7_李四.zbdw"} << false;
        QTest::newRow("a double click on a row whose file was removed")
            << QStringList{"7_李四.zbdw"} << "double click"
            << "removed"
            << ""
            << "" << QStringList{} << false;
        QTest::newRow("打印 of two rows, one removed, 是")
            << QStringList{"7_李四.zbdw", "33_赵六.zbdw"} << "printButton"
            << "removed"
            << "Yes"
            << "" << QStringList{"33_赵六.zbdw"} << false;
    }

    void keysAndButtonsAskToOpenOrPrint() {
        QFETCH(QStringList, chosen);
        QFETCH(QString, command);
        QFETCH(QString, meanwhile);
        QFETCH(QString, answer);
        QFETCH(QString, opened);
        QFETCH(QStringList, printed);
        QFETCH(bool, preview);
        Fixture f;
        QVERIFY(f.ready());
        QSignalSpy opens(f.window.get(), &ApplicantsWindow::openRequested);
        QSignalSpy prints(f.window.get(), &ApplicantsWindow::printRequested);
        QWidget* rows = f.table()->viewport();
        for (const QString& name : chosen) {
            QTest::mouseClick(rows, Qt::LeftButton,
                              name == chosen.front() ? Qt::NoModifier : Qt::ControlModifier,
                              f.rowRect(name).center());
        }
        const QString changed = QStringLiteral("7_李四.zbdw");
        if (meanwhile == QStringLiteral("another applicant")) {
            make(f.today,
                 {"7_李四.zbdw", "王", "伟", "WANG WEI", "3", "110105198001010016", 1'337'270'000});
        } else if (meanwhile == QStringLiteral("removed")) {
            QVERIFY(QFile::remove(f.today + QLatin1Char('/') + changed));
        }
        if (answer == QStringLiteral("Yes")) {
            f.services.answers.push_back(widgets::PlatformServices::Answer::Yes);
        } else if (answer == QStringLiteral("No")) {
            f.services.answers.push_back(widgets::PlatformServices::Answer::No);
        } else if (answer == QStringLiteral("Esc")) {
            f.services.answers.push_back(widgets::PlatformServices::Answer::Cancel);
        }
        if (command == QStringLiteral("Return")) {
            QTest::keyClick(f.table(), Qt::Key_Return);
        } else if (command == QStringLiteral("double click")) {
            QTest::mouseDClick(rows, Qt::LeftButton, {}, f.rowRect(chosen.front()).center());
        } else {
            auto* button = f.find<QPushButton>(command.toLatin1().constData());
            QVERIFY(button->isEnabled());
            QTest::mouseClick(button, Qt::LeftButton);
        }

        // What the files hold when they are acted on, as the main form is to find them.
        const auto sameAsNow = [](const ChosenFile& file) {
            std::ifstream in(file.path, std::ios::binary);
            const std::string now{std::istreambuf_iterator<char>(in), {}};
            return file.file.content == now && !now.empty();
        };
        QCOMPARE(opens.size(), opened.isEmpty() ? 0 : 1);
        if (!opened.isEmpty()) {
            const auto file = opens.front().front().value<ChosenFile>();
            QCOMPARE(file.path, f.path(opened));
            QVERIFY(sameAsNow(file));
        }
        QCOMPARE(prints.size(), printed.isEmpty() ? 0 : 1);
        if (!printed.isEmpty()) {
            const auto files = prints.front().at(0).value<std::vector<ChosenFile>>();
            QCOMPARE(files.size(), std::size_t(printed.size()));
            for (std::size_t i = 0; i < files.size(); ++i) {
                QCOMPARE(files[i].path, f.path(printed[static_cast<int>(i)]));
                QVERIFY(sameAsNow(files[i]));
            }
            QCOMPARE(prints.front().at(1).toBool(), preview);
        }

        if (meanwhile.isEmpty()) {
            QVERIFY(f.services.prompts.empty());
            QVERIFY(f.services.notices.isEmpty());
            QCOMPARE(f.find<QPushButton>("openButton")->isEnabled(),
                     chosen.size() == 1 && chosen.front() != QLatin1String(kBroken));
        } else {
            // The rows and marks as the folder is now: 张三 shares no identity number any more.
            const int row = f.column(6).indexOf(changed);
            const QString zhangSan =
                f.column(0, Qt::ToolTipRole).at(f.column(6).indexOf(QStringLiteral("1_张三.zbdw")));
            QCOMPARE(zhangSan, QStringLiteral("团组号和个人序号与“1_王五.zbdw”相同"));
            const QString told =
                QStringLiteral("以下数据文件在列出后已被修改，列表已按现在的内容更新：\n“") +
                changed + QStringLiteral("”：原为 李四，");
            if (meanwhile == QStringLiteral("another applicant")) {
                QCOMPARE(f.column(1).at(row), QStringLiteral("王伟"));
                QCOMPARE(f.status(),
                         QStringLiteral("共 5 个数据文件，2 个与其他文件重复，1 个无法打开"));
                const QString asked = command == QStringLiteral("previewButton")
                                          ? QStringLiteral("是否按现在的内容打印预览？")
                                      : command == QStringLiteral("printButton")
                                          ? QStringLiteral("是否按现在的内容打印？")
                                          : QStringLiteral("是否打开该文件现在保存的申请人？");
                QCOMPARE(f.services.prompts.size(), std::size_t(1));
                QCOMPARE(
                    f.services.prompts.front().text,
                    told +
                        QStringLiteral("现为 王伟（证件号码 110105198001010016，个人序号 3）\n") +
                        asked);
            } else {
                QCOMPARE(f.status(),
                         QStringLiteral("共 5 个数据文件，2 个与其他文件重复，2 个无法打开"));
                const QString said = answer.isEmpty() ? f.services.notices.value(0)
                                                      : f.services.prompts.front().text;
                QVERIFY2(said.startsWith(told + QStringLiteral("现已无法打开：")),
                         qPrintable(said));
                QCOMPARE(f.services.prompts.size(), std::size_t(answer.isEmpty() ? 0 : 1));
            }
        }
        QVERIFY2(f.services.unexpected.isEmpty(), qPrintable(f.services.unexpected.join('\n')));
        QVERIFY(f.window->isVisible());
        QTest::keyClick(f.table(), Qt::Key_Escape);
        QVERIFY(!f.window->isVisible());
    }

    // Tab leaves the table for the buttons, never stepping from cell to cell, and goes round every
    // control of the window; Space presses the button it reaches.
    void tabGoesRoundEveryControl() {
        Fixture f;
        QVERIFY(f.ready());
        QSignalSpy opens(f.window.get(), &ApplicantsWindow::openRequested);
        QTest::mouseClick(f.table()->viewport(), Qt::LeftButton, {},
                          f.rowRect(QStringLiteral("33_赵六.zbdw")).center());
        QCOMPARE(QApplication::focusWidget(), f.table());
        QStringList round;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            round << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(round, (QStringList{"openButton", "previewButton", "printButton", "refreshButton",
                                     "closeButton", "folderBox", "filterBox", "applicantTable"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.find<QPushButton>("openButton"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(opens.size(), 1);
        QCOMPARE(opens.front().front().value<ChosenFile>().path,
                 f.path(QStringLiteral("33_赵六.zbdw")));
        QVERIFY(f.services.prompts.empty());
    }

    // Today's folder first, the day before it next; a reading overtaken by a newer one is
    // dropped: a large folder chosen and left at once does not replace today's rows.
    void dayFoldersToChooseFrom() {
        Fixture f;
        QVERIFY(f.ready());
        auto* folders = f.find<QComboBox>("folderBox");
        QCOMPARE(folders->count(), 2);
        QCOMPARE(folders->itemText(0), QStringLiteral("2012-05-17（今天）"));
        QCOMPARE(folders->itemText(1), QStringLiteral("2012-05-16"));
        QVERIFY(test::chooseEntry(folders, QStringLiteral("2012-05-16")));
        QTRY_COMPARE(f.column(6), QStringList{"7_孙七.zbdw"});
        QCOMPARE(f.status(), QStringLiteral("共 1 个数据文件"));

        for (int i = 0; i < 3000; ++i) {
            std::ofstream(QFile::encodeName(f.yesterday).toStdString() + "/" + std::to_string(i) +
                          ".zbdw")
                << "x";
        }
        folders->setCurrentIndex(0);
        folders->setCurrentIndex(1);
        folders->setCurrentIndex(0);
        QTRY_COMPARE(f.column(6).size(), 5);
        QTest::qWait(1000); // the readings of the large folder end meanwhile
        QCOMPARE(f.column(6).size(), 5);
        QCOMPARE(f.status(), QStringLiteral("共 5 个数据文件，3 个与其他文件重复，1 个无法打开"));
    }
};

} // namespace parvelin::app

QTEST_MAIN(parvelin::app::ApplicantsWindowTest)
#include "ApplicantsWindowTest.moc"
