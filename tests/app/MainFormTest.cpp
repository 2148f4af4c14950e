// The main form driven as an operator drives it: typing, choosing from lists, buttons and keys.

#include "app/AboutBox.h"
#include "app/ChineseLanguage.h"
#include "app/IdentityEditor.h"
#include "app/TitleComboBox.h"
#include "form/DialogTemplates.h"
#include "form/FormTexts.h"
#include "record/MemberRecord.h"
#include "tests/support/app/FormFixture.h"
#include "widgets/QtText.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <span>

#include <QAccessible>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDateEdit>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRawFont>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

using parvelin::record::Field;
using parvelin::test::chooseEntry;
using parvelin::test::FormFixture;
using parvelin::test::itemTexts;
using parvelin::test::listStates;
using parvelin::test::textOf;
using parvelin::test::typeText;
using parvelin::widgets::PlatformServices;

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsFreshWithTheStartupDefaults();
    void formFitsAClerksScreen();
    void theFormStaysSharpAndWholeWhenScaled();
    void sequenceDrawnAsZeroLeavesTheFieldEmpty();
    void sortedListsFollowChineseCollation();
    void listsOpenBelowTheirBoxWithEntriesInPlace();
    void fixedTooltipsKeepTheFirstRegistration();
    void namesProposePinyin_data();
    void namesProposePinyin();
    void clickingACandidateTakesIt();
    void candidateListsAreOnTheKeyboardRoad_data();
    void candidateListsAreOnTheKeyboardRoad();
    void pinyinIsHeldInCapitalsWithoutBlanks();
    void dotButtonsAppendDotAndHyphen();
    void pinyinTurnsGreenForLongNames();
    void greyedFieldsStayReadable();
    void birthDateComesFromTheIdentityCard_data();
    void birthDateComesFromTheIdentityCard();
    void dependentBoxesFollowTheirLists_data();
    void dependentBoxesFollowTheirLists();
    void positionListFollowsTheCategory();
    void birthPlaceListFollowsTheScope();
    void listsChooseByTyping_data();
    void listsChooseByTyping();
    void remarkCategoryReplacesTheRemarks();
    void personalSequenceDropsALeadingZero();
    void enterMovesOnToTheNextField();
    void enterInTheRemarksMakesALine();
    void enterOnTheLastTabStopWrapsAround();
    void tabGoesRoundInTemplateOrder_data();
    void tabGoesRoundInTemplateOrder();
    void fieldKeysTakeTheCaretThere_data();
    void fieldKeysTakeTheCaretThere();
    void everyFieldIsNamedByItsCaption_data();
    void everyFieldIsNamedByItsCaption();
    void datePickersAreOneTabStop_data();
    void datePickersAreOneTabStop();
    void arrowsMoveBetweenTheDateSections();
    void calendarDropsDownRightAlignedInChinese_data();
    void calendarDropsDownRightAlignedInChinese();
    void characterCapsStopTyping_data();
    void characterCapsStopTyping();
    void inputMethodTextLandsOnlyWhereItFits_data();
    void inputMethodTextLandsOnlyWhereItFits();
    void byteCapsRefusePastesThatDoNotFit();
    void charactersOutsideGbkAreRefused_data();
    void charactersOutsideGbkAreRefused();
    void untouchedFormClosesWithoutAsking();
    void everyChangeMarksTheFormModified_data();
    void everyChangeMarksTheFormModified();
    void closePromptAnswers_data();
    void closePromptAnswers();
    void escapeGoesThroughTheClosePrompt();
    void newAsksThenResets();
    void editEnablesByTheRules();
    void titleListShowsTheNoteAndTellsItInItsTip();
    void commandKeysPressTheirButtons();
    void aboutBoxShowsTheVersion();

private:
    std::unique_ptr<FormFixture> m_fixture;

    template <typename Widget = QWidget>
    Widget* find(const char* name) {
        return m_fixture->find<Widget>(name);
    }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    QComboBox* list(const char* name) { return find<QComboBox>(name); }
    void typeInto(const char* name, const QString& text) {
        QWidget* widget = find(name);
        widget->setFocus(Qt::MouseFocusReason);
        typeText(widget, text);
    }
};

void MainFormTest::initTestCase() {
    QVERIFY(parvelin::app::useChineseLanguage()); // as the program starts
}

void MainFormTest::init() {
    m_fixture = std::make_unique<FormFixture>();
    QVERIFY(m_fixture->ready());
}

void MainFormTest::cleanup() {
    QVERIFY2(m_fixture->services.unexpected.isEmpty(),
             qPrintable(m_fixture->services.unexpected.join(QLatin1Char('\n'))));
    m_fixture.reset();
}

void MainFormTest::startsFreshWithTheStartupDefaults() {
    auto& form = m_fixture->form;
    QCOMPARE(QApplication::focusWidget(), edit("approvalNumber"));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(edit("unitCode")->text(), QStringLiteral("000013012"));
    QCOMPARE(edit("unitName")->text(), QStringLiteral("外交部"));
    QVERIFY(!edit("unitCode")->isEnabled());
    QVERIFY(!edit("unitName")->isEnabled());
    QCOMPARE(list("approvalKind")->currentText(), QStringLiteral("批件"));
    QCOMPARE(list("idDocumentType")->currentText(), QStringLiteral("身份证"));
    QCOMPARE(list("birthPlaceScope")->currentText(), QStringLiteral("国内"));
    QCOMPARE(list("filingStatus")->currentText(), QStringLiteral("已备案"));
    for (const char* empty : {"birthPlace", "position", "heldPassportStatus"}) {
        QVERIFY2(list(empty)->currentIndex() == -1, empty);
    }
    for (const char* blank :
         {"sex", "workUnit", "occupationCategory", "ethnicity", "remarkCategory"}) {
        QVERIFY2(list(blank)->currentText() == QStringLiteral(" "), blank);
    }
    const auto sequence = parvelin::record::freshPersonalSequence(m_fixture->services.clock());
    QCOMPARE(edit("personalSequence")->text(), QString::fromStdString(sequence));
    QCOMPARE(find<QDateEdit>("birthDate")->date(), QDate(2012, 5, 17));
    QCOMPARE(find<QDateEdit>("fillDate")->date(), QDate(2012, 5, 17));
    for (const char* dependent :
         {"filingNumber", "positionOther", "ethnicityOther", "heldPassportNumber"}) {
        QVERIFY2(!find(dependent)->isEnabled(), dependent);
    }
    QVERIFY(find("surnamePinyinList")->isHidden());
    QVERIFY(find("givenNamePinyinList")->isHidden());
    QVERIFY(!form.isModified());
    QCOMPARE(form.state(), parvelin::input::FormState::Fresh);

    // The untouched form reads back the empty selections as empty values.
    QVERIFY(form.readControls());
    QCOMPARE(form.record().birthPlace, std::string());
    QCOMPARE(form.record().position, std::string());
    QCOMPARE(form.record().heldPassportStatus, std::string());
    QVERIFY(!form.isModified());
}

// Run under C.UTF-8 and once more under zh_CN.UTF-8 (tests/app/CMakeLists.txt): the desktop's
// locale must not change the dialog units, which a locale-chosen fallback face for Chinese did.
void MainFormTest::formFitsAClerksScreen() {
    auto& form = m_fixture->form;
    // 562 x 447 dialog units at base units of 6 x 12 pixels.
    QCOMPARE(form.size(), QSize(843, 671));
    QVERIFY(form.width() <= 1366 && form.height() <= 728); // a 1366 x 768 screen and its panel
    const QFont font = form.font();
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(font).pixelSize(), 11); // 8 points at 96 dots per inch
    const auto chineseFace = [](const QFont& font) {
        return QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese).familyName();
    };
    QCOMPARE(chineseFace(font), chineseFace(QFont(QStringLiteral("WenQuanYi Zen Hei"))));
}

// A second whose first draw is 20000: the number 0, which the leading-zero rule leaves empty, so
// that the checks ask the clerk for a number.
void MainFormTest::sequenceDrawnAsZeroLeavesTheFieldEmpty() {
    constexpr std::int64_t kDrawsZero = 1'337'215'130;
    QCOMPARE(parvelin::record::firstRandomAfterSeed(kDrawsZero) % 10000, 0);
    m_fixture = std::make_unique<FormFixture>(kDrawsZero);
    QVERIFY(m_fixture->ready());
    QLineEdit* sequence = edit("personalSequence");
    QCOMPARE(sequence->text(), QString());
    QVERIFY(m_fixture->form.readControls());
    QCOMPARE(m_fixture->form.record().personalSequence, std::string());

    typeInto("personalSequence", QStringLiteral("7"));
    m_fixture->services.answers.push_back(PlatformServices::Answer::No);
    QTest::mouseClick(find<QPushButton>("newButton"), Qt::LeftButton);
    QCOMPARE(m_fixture->services.prompts.size(), std::size_t(1));
    QCOMPARE(sequence->text(), QString()); // New draws in the same second
    QVERIFY(!m_fixture->form.isModified());
}

void MainFormTest::sortedListsFollowChineseCollation() {
    QCOMPARE(itemTexts(list("idDocumentType")), QStringList({"军官证", "身份证"}));
    QCOMPARE(itemTexts(list("sex")), QStringList({" ", "男", "女"}));
    QCOMPARE(itemTexts(list("heldPassportStatus")), QStringList({" ", "无", "需注销", "准持"}));
    QCOMPARE(itemTexts(list("approvalKind")), QStringList({"批件", "确认件"}));
    QCOMPARE(itemTexts(list("birthPlaceScope")), QStringList({"国内", "国外"}));
    // Until the first refill the birthplaces are the 34 provinces without an empty item.
    const QStringList provinces = itemTexts(list("birthPlace"));
    QCOMPARE(provinces.size(), 34);
    QCOMPARE(provinces.mid(0, 3), QStringList({"安徽", "澳门", "北京"}));
    // Unsorted lists keep their order.
    QCOMPARE(itemTexts(list("workUnit")).mid(0, 3), QStringList({" ", "办公厅", "政策司"}));
    QCOMPARE(itemTexts(list("externalIdentityNoteChoice")).size(), 129);
}

// An open list never lies over its box (Qt starts it on the box's last row of pixels), and where
// it opens does not depend on the entry chosen.
void MainFormTest::listsOpenBelowTheirBoxWithEntriesInPlace() {
    int checked = 0;
    for (QComboBox* box : m_fixture->form.findChildren<QComboBox*>()) {
        if (box->isHidden() || box->count() < 2) {
            continue;
        }
        const QRect closed(box->mapToGlobal(QPoint(0, 0)), box->size());
        QList<QRect> opened;
        for (const int chosen : {0, std::min(box->count(), box->maxVisibleItems()) - 1}) {
            box->setCurrentIndex(chosen);
            box->showPopup();
            const QWidget* popup = box->view()->window();
            QVERIFY(popup->isVisible());
            opened.append(popup->geometry());
            box->hidePopup();
        }
        QVERIFY2(opened[0].top() >= closed.bottom() || opened[0].bottom() <= closed.top(),
                 qPrintable(box->objectName()));
        QVERIFY2(opened[0] == opened[1], qPrintable(box->objectName()));
        ++checked;
    }
    QCOMPARE(checked, 13); // all but the hidden dot list
    // The long bilingual titles can be read when the list is open.
    QComboBox* titles = list("externalIdentityNoteChoice");
    titles->showPopup();
    QVERIFY(titles->view()->window()->width() >= 350);
    titles->hidePopup();
}

void MainFormTest::fixedTooltipsKeepTheFirstRegistration() {
    QCOMPARE(find("personalSequence")->toolTip(),
             QStringLiteral("应填写任务批件所附人员名单中的顺序号"));
    QCOMPARE(find("photoNumber")->toolTip(), QStringLiteral("电子护照指定照相点照相后分配的编号"));
    QCOMPARE(
        find("sequenceHintIcon")->toolTip(),
        QStringLiteral(
            "请尽量保留默认序号，同一团组多人自行编号请填写阿拉伯数字并升序排列，注意避免重号"));
    QCOMPARE(find("surnamePinyin")->toolTip(), QStringLiteral("软件拼写可能不准确，请仔细核实"));
    QVERIFY(!find<QLabel>("sequenceHintIcon")->pixmap().isNull());
}

// What the desktop's scaling (150 %, 200 %) makes of the form: the banner is drawn afresh at the
// screen's pixel ratio, not a picture blown up; the remarks box keeps its four edges; the frame
// of the fields starts under the banner, not across it.
void MainFormTest::theFormStaysSharpAndWholeWhenScaled() {
    const auto drawn = [](QWidget* widget, qreal ratio) {
        QImage image(widget->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::black);
        widget->render(&image);
        return image;
    };
    QWidget* banner = find("banner");
    const QImage sharp = drawn(banner, 2);
    const QImage blownUp =
        drawn(banner, 1).scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    long difference = 0;
    for (int y = 0; y < sharp.height(); ++y) {
        for (int x = 0; x < sharp.width(); ++x) {
            difference += std::abs(qGray(sharp.pixel(x, y)) - qGray(blownUp.pixel(x, y)));
        }
    }
    QVERIFY2(difference / (sharp.width() * sharp.height()) >= 1,
             "the banner at 200 % is the 100 % picture enlarged");

    QWidget* remarks = find("remarks");
    const QImage box = drawn(remarks, 1.5);
    // An edge is a grey line, along the whole side, within the last three device pixels.
    const auto lineDrawn = [&](bool column, int at) {
        const int length = column ? box.height() : box.width();
        for (int i = 3; i < length - 3; ++i) {
            if (qGray(column ? box.pixel(at, i) : box.pixel(i, at)) > 230) {
                return false;
            }
        }
        return true;
    };
    const auto edgeDrawn = [&](bool column, int from, int step) {
        return lineDrawn(column, from) || lineDrawn(column, from + step) ||
               lineDrawn(column, from + 2 * step);
    };
    QVERIFY(edgeDrawn(true, 0, 1) && edgeDrawn(true, box.width() - 1, -1));
    QVERIFY(edgeDrawn(false, 0, 1) && edgeDrawn(false, box.height() - 1, -1));

    const QObjectList stacking = m_fixture->form.children();
    QVERIFY(stacking.indexOf(find("fieldFrame")) < stacking.indexOf(banner));
}

void MainFormTest::namesProposePinyin_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QStringList>("candidates");
    const auto row = [](const char* why, const char* field, const char* typed, const char* shown,
                        const char* pinyin, QStringList candidates) {
        QTest::newRow(why) << QString(field) << QString(typed) << QString(shown) << QString(pinyin)
                           << candidates;
    };
    row("one candidate fills the pinyin", "surname", "张三", "张三", "ZHANGSAN", {});
    row("two readings open the list", "surname", "长", "长", "", {"CHANG", "ZHANG"});
    row("three readings, sorted", "given", "单", "单", "", {"CHAN", "DAN", "SHAN"});
    row("the surname box reads a surname as one", "surname", "单", "单", "SHAN", {});
    row("one reading per character", "given", "古丽", "古丽", "GULI", {});
    row("blanks are taken out", "surname", "张 三", "张三", "ZHANGSAN", {});
    row("full-width blanks too", "given", "张　三", "张三", "ZHANGSAN", {});
    row("Latin letters stay as typed", "surname", "Li", "Li", "Li", {});
}

void MainFormTest::namesProposePinyin() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, pinyin);
    QFETCH(QStringList, candidates);
    const bool surname = field == QLatin1String("surname");
    typeInto(surname ? "surnameChinese" : "givenNameChinese", typed);
    QCOMPARE(edit(surname ? "surnameChinese" : "givenNameChinese")->text(), shown);
    QCOMPARE(edit(surname ? "surnamePinyin" : "givenNamePinyin")->text(), pinyin);
    auto* candidateList = find<QListWidget>(surname ? "surnamePinyinList" : "givenNamePinyinList");
    QCOMPARE(itemTexts(candidateList), candidates);
    QCOMPARE(candidateList->isHidden(), candidates.isEmpty());
    // The list covers the pinyin box, which is hidden while the choice is pending.
    QCOMPARE(find(surname ? "surnamePinyin" : "givenNamePinyin")->isHidden(),
             !candidates.isEmpty());
    QVERIFY(m_fixture->form.isModified());
}

void MainFormTest::clickingACandidateTakesIt() {
    typeInto("surnameChinese", QStringLiteral("长"));
    auto* candidates = find<QListWidget>("surnamePinyinList");
    QVERIFY(!candidates->isHidden());
    QVERIFY(find("idDocumentType")->isHidden());
    QVERIFY(find("birthPlace")->isHidden());
    parvelin::test::clickItem(candidates, QStringLiteral("ZHANG"));
    QCOMPARE(edit("surnamePinyin")->text(), QStringLiteral("ZHANG"));
    QVERIFY(candidates->isHidden());
    QVERIFY(!find("surnamePinyin")->isHidden());
    QVERIFY(!find("idDocumentType")->isHidden());
    QVERIFY(!find("birthPlaceScope")->isHidden());
    QCOMPARE(QApplication::focusWidget(), edit("surnameChinese"));
}

void MainFormTest::candidateListsAreOnTheKeyboardRoad_data() {
    QTest::addColumn<QString>("nameBox");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("pinyin"); // of the name's pinyin box afterwards
    QTest::addColumn<QString>("then");   // the box that has the keyboard afterwards
    QTest::newRow("Tab, Enter") << "givenNameChinese"
                                << "长青"
                                << "Tab Return"
                                << "CHANGQING"
                                << "surnamePinyin";
    QTest::newRow("down arrows, Space") << "givenNameChinese"
                                        << "长青"
                                        << "Down Down Space"
                                        << "ZHANGQING"
                                        << "surnamePinyin";
    QTest::newRow("Enter acts as Tab") << "surnameChinese"
                                       << "覃"
                                       << "Return Up Down Return"
                                       << "TAN"
                                       << "givenNameChinese";
    QTest::newRow("Esc goes back") << "surnameChinese"
                                   << "长"
                                   << "Tab Down Tab Escape"
                                   << ""
                                   << "surnameChinese";
}

// A name with several readings: the keyboard goes into its list, settles it and goes on, and what
// is typed next lands in the box that has the keyboard, never under the list.
void MainFormTest::candidateListsAreOnTheKeyboardRoad() {
    QFETCH(QString, nameBox);
    QFETCH(QString, name);
    QFETCH(QString, keys);
    QFETCH(QString, pinyin);
    QFETCH(QString, then);
    const bool surname = nameBox == QStringLiteral("surnameChinese");
    auto* candidates = find<QListWidget>(surname ? "surnamePinyinList" : "givenNamePinyinList");
    typeInto(qPrintable(nameBox), name);
    QVERIFY(!candidates->isHidden());
    const std::map<QString, Qt::Key> named = {{"Tab", Qt::Key_Tab},     {"Return", Qt::Key_Return},
                                              {"Down", Qt::Key_Down},   {"Up", Qt::Key_Up},
                                              {"Space", Qt::Key_Space}, {"Escape", Qt::Key_Escape}};
    for (const QString& key : keys.split(QLatin1Char(' '))) {
        QTest::keyClick(QApplication::focusWidget(), named.at(key));
        if (key == QStringLiteral("Tab")) {
            QCOMPARE(QApplication::focusWidget(), candidates);
        }
    }
    QCOMPARE(edit(surname ? "surnamePinyin" : "givenNamePinyin")->text(), pinyin);
    QCOMPARE(candidates->isHidden(), !pinyin.isEmpty());
    QCOMPARE(QApplication::focusWidget(), find(qPrintable(then)));
    typeText(QApplication::focusWidget(), QStringLiteral("Q"));
    QVERIFY(textOf(find(qPrintable(then))).endsWith(QLatin1Char('Q')));
    QVERIFY(m_fixture->services.prompts.empty()); // Esc in the list is not the window's Esc
}

void MainFormTest::pinyinIsHeldInCapitalsWithoutBlanks() {
    typeInto("surnamePinyin", QStringLiteral("zhang san"));
    QCOMPARE(edit("surnamePinyin")->text(), QStringLiteral("ZHANGSAN"));
    typeInto("givenNamePinyin", QStringLiteral("lü　x"));
    QCOMPARE(edit("givenNamePinyin")->text(), QStringLiteral("LüX")); // only a to z change case
}

void MainFormTest::dotButtonsAppendDotAndHyphen() {
    typeInto("surnameChinese", QStringLiteral("买买提"));
    auto* candidates = find<QListWidget>("surnamePinyinList");
    QVERIFY2(candidates->isHidden(), "提 reads TI in names: one candidate");
    QCOMPARE(edit("surnamePinyin")->text(), QStringLiteral("MAIMAITI"));
    QTest::mouseClick(find<QPushButton>("surnameDotButton"), Qt::LeftButton);
    QCOMPARE(edit("surnameChinese")->text(), QStringLiteral("买买提·"));
    QCOMPARE(edit("surnamePinyin")->text(), QStringLiteral("MAIMAITI-"));
    QVERIFY2(candidates->isHidden(), "no romanizing after the dot button");

    QTest::mouseClick(find<QPushButton>("givenNameDotButton"), Qt::LeftButton);
    QCOMPARE(edit("givenNameChinese")->text(), QStringLiteral("·"));
    QCOMPARE(edit("givenNamePinyin")->text(), QStringLiteral("-"));
}

namespace {

// The contrast ratio of two colours as WCAG 2 defines it: 1 to 21; text wants 4.5 at least.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

void MainFormTest::pinyinTurnsGreenForLongNames() {
    const auto colour = [this](const char* name) {
        return edit(name)->palette().color(QPalette::Active, QPalette::Text);
    };
    typeInto("surnameChinese", QStringLiteral("张三"));
    QCOMPARE(colour("surnamePinyin"), QColor(0, 0, 0));
    typeInto("givenNameChinese", QStringLiteral("丰李"));
    const QColor green = colour("surnamePinyin"); // 8 bytes together
    QVERIFY(green.green() > 2 * std::max(green.red(), green.blue()));
    QVERIFY(contrast(green, edit("surnamePinyin")->palette().color(QPalette::Base)) >= 4.5);
    QCOMPARE(colour("givenNamePinyin"), green);
}

// An opened applicant is read in greyed controls: their text keeps a contrast of 4.5:1.
void MainFormTest::greyedFieldsStayReadable() {
    for (QWidget* control : m_fixture->form.findChildren<QWidget*>()) {
        const QPalette colours = control->palette();
        if (qobject_cast<QLineEdit*>(control) || qobject_cast<QPlainTextEdit*>(control)) {
            QVERIFY2(contrast(colours.color(QPalette::Disabled, QPalette::Text),
                              colours.color(QPalette::Disabled, QPalette::Base)) >= 4.5,
                     qPrintable(control->objectName()));
        } else if (qobject_cast<QComboBox*>(control)) {
            QVERIFY2(contrast(colours.color(QPalette::Disabled, QPalette::ButtonText),
                              colours.color(QPalette::Disabled, QPalette::Button)) >= 4.5,
                     qPrintable(control->objectName()));
        }
    }
}

void MainFormTest::birthDateComesFromTheIdentityCard_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QDate>("birthDate");
    QTest::addColumn<bool>("red");
    QTest::addColumn<QString>("sex"); // proposed for the blank sex
    const auto row = [](const char* why, const char* type, const char* number, QDate date, bool red,
                        const char* sex) {
        QTest::newRow(why) << QString(type) << QString(number) << date << red << QString(sex);
    };
    const QDate kept(2012, 5, 17);
    row("18 characters", "身份证", "110101198005170014", QDate(1980, 5, 17), false, "男");
    row("15 characters, 19 before the year", "身份证", "110101800101001", QDate(1980, 1, 1), false,
        "男");
    row("17th digit even", "身份证", "110101198005170024", QDate(1980, 5, 17), false, "女");
    row("30 February passes the range test only", "身份证", "110101198002300014", kept, true, "男");
    row("region 99: date taken, number red", "身份证", "990101198001010014", QDate(1980, 1, 1),
        true, "男");
    row("month 13", "身份证", "110101198013010014", kept, true, "男");
    row("other length", "身份证", "1101011980", kept, true, " ");
    row("officer's card: no date, no colour", "军官证", "110101198005170014", kept, false, " ");
}

void MainFormTest::birthDateComesFromTheIdentityCard() {
    QFETCH(QString, type);
    QFETCH(QString, number);
    QFETCH(QDate, birthDate);
    QFETCH(bool, red);
    QFETCH(QString, sex);
    QVERIFY(chooseEntry(list("idDocumentType"), type));
    typeInto("idDocumentNumber", number);
    QTest::keyClick(edit("idDocumentNumber"), Qt::Key_Tab);
    QCOMPARE(find<QDateEdit>("birthDate")->date(), birthDate);
    const QColor colour =
        edit("idDocumentNumber")->palette().color(QPalette::Active, QPalette::Text);
    QCOMPARE(colour == QColor(255, 0, 0), red);
    QCOMPARE(list("sex")->currentText(), sex);
}

void MainFormTest::dependentBoxesFollowTheirLists_data() {
    QTest::addColumn<QString>("lead");
    QTest::addColumn<QString>("asking");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("box");
    const auto row = [](const char* why, const char* lead, const char* asking, const char* other,
                        const char* box) {
        QTest::newRow(why) << QString(lead) << QString(asking) << QString(other) << QString(box);
    };
    row("filing", "filingStatus", "其他", "已备案", "filingNumber");
    row("held passport", "heldPassportStatus", "需注销", "无", "heldPassportNumber");
    row("held passport, blank", "heldPassportStatus", "准持", " ", "heldPassportNumber");
    row("ethnicity", "ethnicity", "其他", "汉", "ethnicityOther");
    row("position", "position", "其他", "科员", "positionOther");
}

void MainFormTest::dependentBoxesFollowTheirLists() {
    QFETCH(QString, lead);
    QFETCH(QString, asking);
    QFETCH(QString, other);
    QFETCH(QString, box);
    if (lead == QLatin1String("position")) {
        QVERIFY(chooseEntry(list("occupationCategory"), QStringLiteral("国家公务员")));
    }
    auto* dependent = edit(qPrintable(box));
    QVERIFY(chooseEntry(list(qPrintable(lead)), asking));
    QVERIFY(dependent->isEnabled());
    typeInto(qPrintable(box), QStringLiteral("12345"));
    QCOMPARE(dependent->text(), QStringLiteral("12345"));
    QVERIFY(chooseEntry(list(qPrintable(lead)), other));
    QVERIFY(!dependent->isEnabled());
    QCOMPARE(dependent->text(), QString()); // emptied when no longer asked for
}

void MainFormTest::positionListFollowsTheCategory() {
    QVERIFY(chooseEntry(list("occupationCategory"), QStringLiteral("军人")));
    QStringList military = itemTexts(list("position"));
    QCOMPARE(military.size(), 16);
    QCOMPARE(military.mid(0, 2), QStringList({"", "军委副主席级"}));
    QCOMPARE(list("position")->currentIndex(), -1);
    QVERIFY(chooseEntry(list("occupationCategory"), QStringLiteral("其他")));
    QCOMPARE(itemTexts(list("position")), QStringList({"其他"}));
    QVERIFY(chooseEntry(list("occupationCategory"), QStringLiteral(" ")));
    QCOMPARE(list("position")->count(), 0);
    QVERIFY(m_fixture->form.isModified());
}

void MainFormTest::birthPlaceListFollowsTheScope() {
    QVERIFY(chooseEntry(list("birthPlaceScope"), QStringLiteral("国外")));
    const QStringList abroad = itemTexts(list("birthPlace"));
    QCOMPARE(abroad.size(), 199);
    QCOMPARE(abroad.constFirst(), QString()); // the empty item first
    QVERIFY(abroad.contains(QStringLiteral("刚果（布）")));
    QVERIFY(chooseEntry(list("birthPlaceScope"), QStringLiteral("国内")));
    QCOMPARE(list("birthPlace")->count(), 35);
}

namespace {

// What a clerk sees of the form: every list (its choice and entries), every text box (its text
// and whether it is open), the title's note, the changed mark.
QStringList formState(parvelin::app::MainForm& form) {
    QStringList state = listStates(&form);
    for (const QWidget* box : form.findChildren<QWidget*>()) {
        if (qobject_cast<const QLineEdit*>(box) || qobject_cast<const QPlainTextEdit*>(box)) {
            state.append(box->objectName() + QLatin1Char(' ') + textOf(box) +
                         (box->isEnabled() ? QStringLiteral(" open") : QStringLiteral(" greyed")));
        }
    }
    const auto* titles = form.findChild<parvelin::app::TitleComboBox*>();
    state.append(QStringLiteral("note ") + titles->noteText());
    state.append(form.isModified() ? QStringLiteral("changed") : QStringLiteral("unchanged"));
    return state;
}

} // namespace

// Every list takes its entry by typing, closed or open: pinyin in full or in initials, the
// characters an input method commits, or the pinyin it composes. Whatever is chosen leaves the
// form exactly as the arrow keys choosing the same entry do, dependent fields and all. In `typed`,
// "|" is a pause longer than the keyboard's search interval; for "compose", the input method's
// pinyin, then ">" and the phrase it commits.
void MainFormTest::listsChooseByTyping_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("how"); // keys, commit or compose; "open" types into the open list
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("scope"); // chosen first, where not empty
    QTest::addColumn<bool>("opened");   // an applicant opened from a data file, not edited
    const auto row = [](const char* why, const char* list, const char* how, const QString& typed,
                        const QString& chosen, const QString& scope = {}, bool opened = false) {
        QTest::newRow(why) << list << how << typed << chosen << scope << opened;
    };
    row("initials", "birthPlace", "keys", "zj", "浙江");
    row("full pinyin", "birthPlace", "keys", "zhejiang", "浙江");
    row("capitals", "birthPlace", "keys", "ZJ", "浙江");
    row("an ambiguous start takes the first entry shown", "birthPlace", "keys", "hu", "湖北");
    row("a key that matches nothing keeps the choice", "birthPlace", "keys", "zhejiangx", "浙江");
    row("a pause starts a new search", "birthPlace", "keys", "z|j", "吉林");
    row("an input method's character", "birthPlace", "commit", "浙", "浙江");
    row("the pinyin an input method composes; a phrase naming nothing keeps it", "birthPlace",
        "compose", "zhe jiang>哲江", "浙江");
    row("typed in the open list, taken with Enter", "birthPlace", "open keys", "zj", "浙江");
    row("an input method in the open list", "ethnicity", "open commit", "土", "土");
    row("countries", "birthPlace", "keys", "yingguo", "英国", "国外");
    row("document types", "idDocumentType", "keys", "jgz", "军官证");
    row("ü typed v", "sex", "keys", "nv", "女");
    row("nothing matches: the form stays as it was", "sex", "keys", "q", " ");
    row("an opened applicant's greyed lists take no typing", "sex", "keys", "nan", "女", {}, true);
    row("titles", "externalIdentityNoteChoice", "keys", "wg", "武官;Military Attache");
    row("the position list follows the category", "occupationCategory", "keys", "jr", "军人");
    row("positions: one Down short is 副调研员", "position", "keys", "xkjzz", "乡科级正职");
    row("the passport number box opens", "heldPassportStatus", "keys", "xzx", "需注销");
    row("initials past 亚洲司", "workUnit", "keys", "yf", "亚非司");
    row("approval kinds", "approvalKind", "keys", "qrj", "确认件");
    row("the birthplaces abroad follow the scope", "birthPlaceScope", "keys", "gw", "国外");
    row("the remarks follow their category", "remarkCategory", "keys", "wh", "维和");
    row("a whole entry before 土家, listed first", "ethnicity", "keys", "tu", "土");
    row("a character names 土 whole, not 土家", "ethnicity", "commit", "土", "土");
    row("藏 read zang", "ethnicity", "keys", "z", "藏");
    row("the filing number box opens", "filingStatus", "keys", "qt", "其他");
}

void MainFormTest::listsChooseByTyping() {
    QFETCH(QString, list);
    QFETCH(QString, how);
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(QString, scope);
    QFETCH(bool, opened);
    const auto prepare = [&](FormFixture& fixture) {
        if (opened) {
            fixture.services.openPaths.push_back(QString::fromUtf8(PARVELIN_TEST_DATA) +
                                                 QStringLiteral("/samples/000.zbdw"));
            QTest::mouseClick(fixture.find<QPushButton>("openButton"), Qt::LeftButton);
        }
        if (!scope.isEmpty()) {
            QVERIFY(chooseEntry(fixture.find<QComboBox>("birthPlaceScope"), scope));
        }
    };
    prepare(*m_fixture);
    QComboBox* box = this->list(qPrintable(list));
    const int before = box->currentIndex();
    if (box->isEnabled()) {
        box->setFocus(Qt::TabFocusReason);
    }
    QWidget* target = box;
    if (how.startsWith(QLatin1String("open"))) {
        box->showPopup();
        target = box->view();
    }
    if (how.endsWith(QLatin1String("commit")) || how == QLatin1String("compose")) {
        // What a desktop's input method asks before it hands anything over.
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(target, &query);
        QVERIFY2(query.value(Qt::ImEnabled).toBool(), "the input method passes the list by");
    }
    if (how.endsWith(QLatin1String("keys"))) {
        const QStringList bursts = typed.split(QLatin1Char('|'));
        for (qsizetype i = 0; i < bursts.size(); ++i) {
            if (i > 0) {
                QTest::qWait(QApplication::keyboardInputInterval() + 100);
            }
            QTest::keyClicks(target, bursts[i]);
        }
    } else if (how.endsWith(QLatin1String("commit"))) {
        parvelin::test::commitText(target, typed);
    } else {
        const QStringList phases = typed.split(QLatin1Char('>'));
        QInputMethodEvent composing(phases[0], {});
        QApplication::sendEvent(target, &composing);
        parvelin::test::commitText(target, phases[1]);
    }
    if (target != box) {
        QCOMPARE(box->view()->currentIndex().data().toString(), chosen); // highlighted
        QCOMPARE(box->currentIndex(), before);                           // not yet taken
        QTest::keyClick(target, Qt::Key_Return);
    }
    QCOMPARE(box->currentText(), chosen);

    // The same entry reached with the arrow keys on a form of its own.
    FormFixture arrows;
    QVERIFY(arrows.ready());
    prepare(arrows);
    QComboBox* walked = arrows.find<QComboBox>(qPrintable(list));
    const int row = walked->findText(chosen, Qt::MatchExactly);
    QVERIFY(row >= 0);
    walked->setFocus(Qt::TabFocusReason);
    while (walked->isEnabled() && walked->currentIndex() != row) {
        QTest::keyClick(walked, walked->currentIndex() < row ? Qt::Key_Down : Qt::Key_Up);
    }
    QCOMPARE(walked->currentIndex(), row);
    QCOMPARE(formState(m_fixture->form), formState(arrows.form));
    QVERIFY(m_fixture->form.readControls() && arrows.form.readControls());
    QVERIFY(m_fixture->form.record() == arrows.form.record());
}

void MainFormTest::remarkCategoryReplacesTheRemarks() {
    auto* remarks = find<QPlainTextEdit>("remarks");
    remarks->setFocus(Qt::MouseFocusReason);
    typeText(remarks, QStringLiteral("随团"));
    QVERIFY(chooseEntry(list("remarkCategory"), QStringLiteral("维和")));
    QCOMPARE(remarks->toPlainText(), QStringLiteral("维和"));
    QVERIFY(chooseEntry(list("remarkCategory"), QStringLiteral(" ")));
    QCOMPARE(remarks->toPlainText(), QStringLiteral("维和")); // the blank keeps the remarks
}

void MainFormTest::personalSequenceDropsALeadingZero() {
    QLineEdit* sequence = edit("personalSequence");
    sequence->setFocus(Qt::MouseFocusReason);
    sequence->selectAll();
    typeText(sequence, QStringLiteral("0"));
    QCOMPARE(sequence->text(), QString());
    typeText(sequence, QStringLiteral("a"));
    QCOMPARE(sequence->text(), QString()); // digits only
    sequence->insert(QStringLiteral("007"));
    QCOMPARE(sequence->text(), QStringLiteral("07")); // one zero per change
    typeText(sequence, QStringLiteral("12345"));
    QCOMPARE(sequence->text(), QStringLiteral("7123")); // 071 loses its zero; 4 bytes at most
}

// Enter moves on as Tab does, but only to a field: a button or the check box it stopped on would
// take the next Space, the key that commits an input method's word, as a press.
void MainFormTest::enterMovesOnToTheNextField() {
    typeInto("approvalNumber", QStringLiteral("1"));
    QTest::keyClick(edit("approvalNumber"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), find("personalSequence"));
    list("approvalKind")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(list("approvalKind"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), find("birthPlaceScope")); // past the two dot buttons
    // Enter on a button moves on to a field too; it never presses the button.
    find("newButton")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(find("newButton"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), find("workUnit"));
    QVERIFY(m_fixture->services.prompts.empty());
}

// Enter and Shift+Enter in the remarks make a new line, up to the two lines that the page's cell
// prints. What is typed on lands in the box: Space and a letter would press a button that had
// the focus and answer the question it asks.
void MainFormTest::enterInTheRemarksMakesALine() {
    auto* remarks = find<QPlainTextEdit>("remarks");
    remarks->setFocus(Qt::MouseFocusReason);
    const auto typing = [] { return QApplication::focusWidget(); };
    parvelin::test::commitText(typing(), QStringLiteral("随团翻译"));
    QTest::keyClick(typing(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(remarks->toPlainText(), QStringLiteral("随团翻译\n"));
    QTest::keyClick(typing(), Qt::Key_Backspace);
    QTest::keyClick(typing(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(typing(), Qt::Key_Space);
    QTest::keyClick(typing(), Qt::Key_N);
    parvelin::test::commitText(typing(), QStringLiteral("回国"));
    const QString twoLines = QStringLiteral("随团翻译\n n回国");
    QCOMPARE(remarks->toPlainText(), twoLines);
    QCOMPARE(typing(), remarks);
    QVERIFY(m_fixture->services.prompts.empty());
    QVERIFY(m_fixture->form.readControls());
    QCOMPARE(m_fixture->form.record().remarks, parvelin::record::gbk("随团翻译\r\n n回国"));

    // A third line would be cut off on the page: neither Enter nor a paste makes one, and a note
    // at the box says why.
    QToolTip::hideText();
    QTest::keyClick(remarks, Qt::Key_Return);
    remarks->insertPlainText(QStringLiteral("\n第三行"));
    QCOMPARE(remarks->toPlainText(), twoLines);
    QCOMPARE(QToolTip::text(), parvelin::widgets::qText(parvelin::form::message::kRemarksLineCap));

    // A break is CR LF in the record: two of the 100 bytes.
    remarks->clear();
    typeText(remarks, QStringLiteral("备").repeated(49) + QStringLiteral("a"));
    QTest::keyClick(remarks, Qt::Key_Return);
    QVERIFY(!remarks->toPlainText().contains(QLatin1Char('\n')));
    QTest::keyClick(remarks, Qt::Key_Backspace);
    QTest::keyClick(remarks, Qt::Key_Return);
    QCOMPARE(remarks->toPlainText(), QStringLiteral("备").repeated(49) + QStringLiteral("\n"));

    QTest::keyClick(remarks, Qt::Key_Tab); // Tab leaves the box, on to the next in the tab order
    QCOMPARE(typing(), find("newButton"));
}

void MainFormTest::enterOnTheLastTabStopWrapsAround() {
    QComboBox* last = list("filingStatus");
    last->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(last, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), edit("approvalNumber"));
    QVERIFY(m_fixture->form.isVisible());
}

namespace {

// What a screen reader calls each input control of a window: the words of the label that stands
// beside it, or a name of its own that says which part it is where two controls share a label,
// or what it holds where it has none. `label`: the label linked to the control.
struct Caption {
    const char* control;
    const char* caption;
    const char* label; // nullptr: no label names the control alone
};

const Caption kMainFormCaptions[] = {
    {"surnamePinyinList", "中文姓拼音候选", nullptr},
    {"givenNamePinyinList", "中文名拼音候选", nullptr},
    {"unitCode", "单位编号", "单位编号（*）"},
    {"unitName", "单位名称", "单位名称（*）"},
    {"approvalKind", "出国任务批件类型", "出国任务批件号（*）"},
    {"approvalNumber", "出国任务批件号", nullptr},
    {"personalSequence", "个人序号", "个人序号（*）"},
    {"surnameChinese", "中文姓", "中文姓（*）"},
    {"surnameDotButton", "中文姓点号", nullptr},
    {"nameDot", "少数民族人名点号", nullptr},
    {"givenNameChinese", "中文名", "中文名（*）"},
    {"givenNameDotButton", "中文名点号", nullptr},
    {"surnamePinyin", "姓拼音", "姓拼音（*）"},
    {"givenNamePinyin", "名拼音", "名拼音（*）"},
    {"idDocumentType", "证件种类", "证件种类（*）"},
    {"idDocumentNumber", "证件号码", "证件号码（*）"},
    {"birthPlaceScope", "出生地国内外", "出生地（*）"},
    {"birthPlace", "出生地", nullptr},
    {"birthDate", "出生日期", "出生日期（*）"},
    {"sex", "性别", "性别（*）"},
    {"photoNumber", "数字照片编号", "数字照片编号（*）"},
    {"workUnit", "工作单位", "工作单位（*）"},
    {"externalUnit", "对外单位", "对外单位"},
    {"externalIdentityNoteChoice", "对外身份加注", "对外身份加注"},
    {"externalIdentity", "对外身份", "对外身份"},
    {"occupationCategory", "职业属性", "职业属性（*）"},
    {"ethnicity", "民族", "民族（*）"},
    {"ethnicityOther", "其他民族", nullptr},
    {"position", "职务", "职务（*）"},
    {"positionOther", "其他职务描述", "其他职务描述（*）"},
    {"heldPassportStatus", "原持有效护照情况", "原持有效护照情况(*)"},
    {"heldPassportNumber", "原持有效护照号", "原持有效护照号（*）"},
    {"filingStatus", "人员审批及备案情况", "人员审批及备案号(*)"},
    {"filingNumber", "人员审批及备案号", nullptr},
    {"fillDate", "填表日期", "填表日期（*）"},
    {"remarkCategory", "备注类别", nullptr},
    {"remarks", "备注", "备注"},
};

const Caption kIdentityEditorCaptions[] = {
    {"surnameChinese", "中文姓", "中文姓"},   {"surnameDotButton", "中文姓点号", nullptr},
    {"givenNameChinese", "中文名", "中文名"}, {"givenNameDotButton", "中文名点号", nullptr},
    {"surnamePinyin", "姓拼音", "姓拼音"},    {"surnamePinyinList", "中文姓拼音候选", nullptr},
    {"givenNamePinyin", "名拼音", "名拼音"},  {"givenNamePinyinList", "中文名拼音候选", nullptr},
};

// What a screen reader hears when the control takes the keyboard: its caption, or a button's
// own text.
QString heardAt(const QWidget* control, std::span<const Caption> captions) {
    for (const Caption& c : captions) {
        if (control->objectName() == QLatin1String(c.control)) {
            return QString::fromUtf8(c.caption);
        }
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    return QStringLiteral("(no caption for %1)").arg(control->objectName());
}

QString accessibleName(QWidget* control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

} // namespace

// The tab order is the template order, which clerks know by heart: Tab goes round every control
// that takes the keyboard now, Shift+Tab the same way back, and a screen reader names each stop.
// The controls that come late keep their places (they have keys of their own instead).
void MainFormTest::tabGoesRoundInTemplateOrder_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("cycle");
    const QStringList fresh = {"approvalNumber",
                               "personalSequence",
                               "surnameChinese",
                               "givenNameChinese",
                               "surnamePinyin",
                               "givenNamePinyin",
                               "idDocumentType",
                               "idDocumentNumber",
                               "birthPlace",
                               "birthDate",
                               "sex",
                               "photoNumber",
                               "externalUnit",
                               "externalIdentityNoteChoice",
                               "externalIdentity",
                               "occupationCategory",
                               "position",
                               "heldPassportStatus",
                               "fillDate",
                               "remarks",
                               "newButton",
                               "openButton",
                               "editButton",
                               "saveButton",
                               "printPreviewButton",
                               "printButton",
                               "aboutButton",
                               "exitButton",
                               "applicantsButton",
                               "keepGroupBox",
                               "workUnit",
                               "approvalKind",
                               "surnameDotButton",
                               "givenNameDotButton",
                               "birthPlaceScope",
                               "ethnicity",
                               "filingStatus"};
    QTest::newRow("main form, fresh") << "main form" << fresh;
    QStringList open = fresh;
    open.insert(open.indexOf("heldPassportStatus") + 1, "heldPassportNumber");
    open.insert(open.indexOf("birthPlaceScope") + 1, "positionOther");
    open.insert(open.indexOf("ethnicity"), "ethnicityOther");
    open.insert(open.indexOf("filingStatus"), "filingNumber");
    QTest::newRow("main form, every dependent box in use") << "dependent boxes" << open;
    QTest::newRow("identity editor")
        << "identity editor"
        << QStringList{"surnameChinese",     "surnameDotButton", "givenNameChinese",
                       "givenNameDotButton", "surnamePinyin",    "givenNamePinyin",
                       "okButton",           "cancelButton"};
}

void MainFormTest::tabGoesRoundInTemplateOrder() {
    QFETCH(QString, window);
    QFETCH(QStringList, cycle);
    QWidget* shown = &m_fixture->form;
    std::span<const Caption> captions = kMainFormCaptions;
    std::unique_ptr<parvelin::input::NameRomanizer> romanizer;
    std::unique_ptr<parvelin::app::IdentityEditor> editor;
    if (window == QStringLiteral("dependent boxes")) {
        QVERIFY(chooseEntry(list("heldPassportStatus"), QStringLiteral("需注销")));
        QVERIFY(chooseEntry(list("occupationCategory"), QStringLiteral("其他")));
        QVERIFY(chooseEntry(list("position"), QStringLiteral("其他")));
        QVERIFY(chooseEntry(list("ethnicity"), QStringLiteral("其他")));
        QVERIFY(chooseEntry(list("filingStatus"), QStringLiteral("其他")));
    } else if (window == QStringLiteral("identity editor")) {
        romanizer =
            std::make_unique<parvelin::input::NameRomanizer>(parvelin::test::loadedPinyinTable());
        editor = std::make_unique<parvelin::app::IdentityEditor>(*romanizer, m_fixture->services,
                                                                 &m_fixture->form);
        editor->show();
        editor->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), editor.get());
        shown = editor.get();
        captions = kIdentityEditorCaptions;
    }
    // The stops from the first field round to it again, and at each what a screen reader says
    // and what it should say.
    struct Walk {
        QStringList stops, named, heard;
    };
    const auto walk = [&](Qt::Key key) {
        QWidget* first = shown->findChild<QWidget*>(cycle.constFirst());
        first->setFocus(Qt::TabFocusReason);
        Walk walked;
        for (QWidget* at = first; walked.stops.size() <= cycle.size();) {
            walked.stops << at->objectName();
            walked.named << accessibleName(at);
            walked.heard << heardAt(at, captions);
            QTest::keyClick(at, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            at = QApplication::focusWidget();
            if (at == first) {
                break;
            }
        }
        return walked;
    };
    const Walk forth = walk(Qt::Key_Tab);
    QCOMPARE(forth.stops, cycle);
    QCOMPARE(forth.named, forth.heard);
    QStringList back = cycle.mid(1);
    std::reverse(back.begin(), back.end());
    back.prepend(cycle.constFirst());
    QCOMPARE(walk(Qt::Key_Backtab).stops, back);
    QVERIFY(m_fixture->services.prompts.empty());
}

// The controls that Tab reaches only after the buttons, or never, have keys of their own, which
// their tooltips name; each takes the caret there from wherever it is.
void MainFormTest::fieldKeysTakeTheCaretThere_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("control");
    const auto row = [](const char* why, const char* from, Qt::Key key, const char* control) {
        QTest::newRow(why) << QString(from) << int(key) << QString(control);
    };
    row("工作单位 from the first field", "approvalNumber", Qt::Key_D, "workUnit");
    row("批件/确认件 from the remarks", "remarks", Qt::Key_P, "approvalKind");
    row("国内/国外 from a list", "sex", Qt::Key_G, "birthPlaceScope");
    row("民族 from a date", "birthDate", Qt::Key_M, "ethnicity");
    row("已备案 from a name box", "surnameChinese", Qt::Key_B, "filingStatus");
    row("备注's categories, which Tab never reaches", "fillDate", Qt::Key_Z, "remarkCategory");
}

void MainFormTest::fieldKeysTakeTheCaretThere() {
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, control);
    const QString keys = QStringLiteral("Alt+") + QChar(key);
    QWidget* target = find(qPrintable(control));
    QVERIFY2(target->toolTip().contains(keys), qPrintable(target->toolTip()));
    QWidget* start = find(qPrintable(from));
    start->setFocus(Qt::MouseFocusReason);
    const QString before = textOf(start);
    QTest::keyClick(start, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), target);
    QCOMPARE(textOf(start), before); // the key typed nothing where the caret was
    QVERIFY(!m_fixture->form.isModified());
    QVERIFY(m_fixture->services.prompts.empty());
}

void MainFormTest::everyFieldIsNamedByItsCaption_data() {
    QTest::addColumn<bool>("editor");
    QTest::newRow("main form") << false;
    QTest::newRow("identity editor") << true;
}

// Every input control reads its caption to a screen reader, whatever it holds (a list its entry,
// a date its day, a box its text), and a label that stands beside a control is linked to it.
void MainFormTest::everyFieldIsNamedByItsCaption() {
    QFETCH(bool, editor);
    QWidget* window = &m_fixture->form;
    std::span<const Caption> captions = kMainFormCaptions;
    std::span<const parvelin::form::DialogControl> layout = parvelin::form::mainFormLayout();
    const parvelin::input::NameRomanizer romanizer(parvelin::test::loadedPinyinTable());
    std::unique_ptr<parvelin::app::IdentityEditor> identityEditor;
    if (editor) {
        identityEditor = std::make_unique<parvelin::app::IdentityEditor>(
            romanizer, m_fixture->services, &m_fixture->form);
        identityEditor->show();
        window = identityEditor.get();
        captions = kIdentityEditorCaptions;
        layout = parvelin::form::identityEditorLayout();
    } else {
        QVERIFY(chooseEntry(list("sex"), QStringLiteral("男")));
        typeInto("surnameChinese", QStringLiteral("长")); // a candidate list open
    }
    // Every control that holds a value, and the candidate lists, has its row.
    for (const parvelin::form::DialogControl& item : layout) {
        if ((item.field && item.field != Field::externalIdentityNote) ||
            item.kind == parvelin::form::ControlKind::ListBox) {
            const QString name = parvelin::widgets::qText(item.name);
            QVERIFY2(
                std::ranges::any_of(captions, [&](const Caption& c) { return name == c.control; }),
                qPrintable(name));
        }
    }
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (const Caption& c : captions) {
        auto* control =
            window->findChild<QWidget*>(QLatin1String(c.control), Qt::FindDirectChildrenOnly);
        QVERIFY2(control != nullptr, c.control);
        QCOMPARE(accessibleName(control), QString::fromUtf8(c.caption));
        const auto linked = std::ranges::find_if(
            labels, [control](const QLabel* label) { return label->buddy() == control; });
        QCOMPARE(linked == labels.end() ? QString() : (*linked)->text(),
                 QString::fromUtf8(c.label));
        // What the desktop's screen reader is told of the link: labelled by that label.
        const auto relations =
            QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label);
        QCOMPARE(relations.size(), c.label != nullptr ? 1 : 0);
    }
}

// Every control is one tab stop: Tab, Shift+Tab and Enter leave a date picker at once, rather
// than stepping through its year, month and day. Alt+Down and F4 drop the calendar down (no
// `next`), and Alt+Up closes it. No key here changes the date.
void MainFormTest::datePickersAreOneTabStop_data() {
    QTest::addColumn<QString>("picker");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("next");
    const auto row = [](const char* why, const char* picker, Qt::Key key,
                        Qt::KeyboardModifiers modifiers, const char* next) {
        QTest::newRow(why) << QString(picker) << int(key) << int(modifiers) << QString(next);
    };
    row("Tab from the birth date", "birthDate", Qt::Key_Tab, Qt::NoModifier, "sex");
    row("Tab from the fill date", "fillDate", Qt::Key_Tab, Qt::NoModifier, "remarks");
    row("Shift+Tab back past the disabled passport number", "fillDate", Qt::Key_Backtab,
        Qt::ShiftModifier, "heldPassportStatus");
    row("Enter from the birth date", "birthDate", Qt::Key_Return, Qt::NoModifier, "sex");
    row("Alt+Down in the birth date", "birthDate", Qt::Key_Down, Qt::AltModifier, "");
    row("F4 in the fill date", "fillDate", Qt::Key_F4, Qt::NoModifier, "");
    row("Alt+Up with the calendar closed", "birthDate", Qt::Key_Up, Qt::AltModifier, "birthDate");
}

void MainFormTest::datePickersAreOneTabStop() {
    QFETCH(QString, picker);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, next);
    auto* dates = find<QDateEdit>(qPrintable(picker));
    // Arriving backwards selects the day, forwards the year: the far end from the way out.
    dates->setFocus(key == Qt::Key_Backtab ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    QTest::keyClick(dates, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (next.isEmpty()) {
        QWidget* popup = dates->calendarWidget()->window();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(dates->date(), QDate(2012, 5, 17));
        // A screen reader finds the open calendar under its picker, and the picker above it.
        QAccessibleInterface* calendar = QAccessible::queryAccessibleInterface(popup);
        QAccessibleInterface* owner = QAccessible::queryAccessibleInterface(dates);
        QVERIFY(calendar != nullptr && calendar->isValid());
        QCOMPARE(calendar->parent(), owner);
        QCOMPARE(owner->childCount(), 1);
        QCOMPARE(owner->child(0), calendar);
        QCOMPARE(owner->indexOfChild(calendar), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::AltModifier);
        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(owner->childCount(), 0); // closed, it is gone from the tree
        next = picker;
    }
    QCOMPARE(QApplication::focusWidget(), find(qPrintable(next)));
    QCOMPARE(dates->date(), QDate(2012, 5, 17));
}

void MainFormTest::arrowsMoveBetweenTheDateSections() {
    auto* dates = find<QDateEdit>("birthDate");
    dates->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(dates, Qt::Key_Right); // past the year's four digits and the "-"
    }
    QCOMPARE(dates->currentSection(), QDateTimeEdit::MonthSection);
    QTest::keyClick(dates, Qt::Key_Up);
    QCOMPARE(dates->date(), QDate(2012, 6, 17));
    QCOMPARE(QApplication::focusWidget(), dates);
}

// The calendar drops down under the picker with its right edge at the picker's right edge, and
// names the months and days in Chinese.
void MainFormTest::calendarDropsDownRightAlignedInChinese_data() {
    QTest::addColumn<QString>("picker");
    QTest::newRow("birth date") << QStringLiteral("birthDate");
    QTest::newRow("fill date") << QStringLiteral("fillDate");
}

void MainFormTest::calendarDropsDownRightAlignedInChinese() {
    QFETCH(QString, picker);
    auto* dates = find<QDateEdit>(qPrintable(picker));
    // Made when it first drops down, not with the form: it would hold up the form's first showing.
    QVERIFY(dates->findChildren<QCalendarWidget*>().isEmpty());
    QTest::mouseClick(dates, Qt::LeftButton, {}, QPoint(dates->width() - 5, dates->height() / 2));
    QCalendarWidget* calendar = dates->calendarWidget();
    QWidget* popup = calendar->window();
    QTRY_VERIFY(popup->isVisible());
    const QRect pickerOnScreen(dates->mapToGlobal(QPoint(0, 0)), dates->size());
    QCOMPARE(popup->frameGeometry().right(), pickerOnScreen.right());
    QVERIFY(popup->frameGeometry().top() > pickerOnScreen.bottom()); // under it
    const auto* month =
        calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    QCOMPARE(month->text(), QStringLiteral("五月"));
    QTest::keyClick(calendar, Qt::Key_Escape);
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(dates->date(), QDate(2012, 5, 17));
}

void MainFormTest::characterCapsStopTyping_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("cap");
    const auto row = [](const char* why, const char* field, const char* character, int cap) {
        QTest::newRow(why) << QString(field) << QString(character) << cap;
    };
    row("surname, Chinese", "surnameChinese", "张", 50);
    row("given name, Latin", "givenNameChinese", "a", 50);
    row("external unit", "externalUnit", "单", 100);
    row("external identity", "externalIdentity", "x", 50);
    row("remarks", "remarks", "备", 50);
}

void MainFormTest::characterCapsStopTyping() {
    QFETCH(QString, field);
    QFETCH(QString, character);
    QFETCH(int, cap);
    QWidget* widget = find(qPrintable(field));
    widget->setFocus(Qt::MouseFocusReason);
    const auto text = [widget] { return parvelin::test::textOf(widget); };
    typeText(widget, character.repeated(cap + 1));
    QCOMPARE(text(), character.repeated(cap));
    QTest::keyClick(widget, Qt::Key_Backspace);
    QCOMPARE(text(), character.repeated(cap - 1)); // Backspace works at the cap
    typeText(widget, QStringLiteral("z"));
    QCOMPARE(text().size(), cap);
    QTest::keyClick(widget, Qt::Key_Left);
    QTest::keyClick(widget, Qt::Key_Delete);
    QCOMPARE(text().size(), cap - 1); // keys that make no character pass
    QApplication::clipboard()->setText(QStringLiteral("y"));
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text().size(), cap); // pasted below the cap
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text().size(), cap); // the paste shortcut counts as a character at the cap
}

void MainFormTest::inputMethodTextLandsOnlyWhereItFits_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("left"); // named in the note at the box
    const auto row = [](const char* why, const char* field, const QString& before,
                        const QString& committed, const QString& after, const QString& left) {
        QTest::newRow(why) << QString(field) << before << committed << after << left;
    };
    for (const char* latin :
         {"surnamePinyin", "givenNamePinyin", "idDocumentNumber", "personalSequence"}) {
        row(latin, latin, QStringLiteral("12"), QStringLiteral("需"), QStringLiteral("12"), {});
    }
    const QString fullPhoto = QStringLiteral("1").repeated(20);
    row("photoNumber, at its cap", "photoNumber", fullPhoto, QStringLiteral("需"), fullPhoto, {});
    const QString wang = QStringLiteral("王").repeated(48);
    row("surname: 50 characters", "surnameChinese", wang, QStringLiteral("张三丰"),
        wang + QStringLiteral("张三"), QStringLiteral("丰"));
    row("approval number: 32 bytes", "approvalNumber", QStringLiteral("外字[2012]35号"),
        QStringLiteral("一二三四五六七八九十"), QStringLiteral("外字[2012]35号一二三四五六七八九"),
        QStringLiteral("十"));
    const QString remarks = QStringLiteral("备").repeated(48);
    row("remarks: 50 characters", "remarks", remarks, QStringLiteral("补充材料"),
        remarks + QStringLiteral("补充"), QStringLiteral("材料"));
    const QString unit = QStringLiteral("单").repeated(99);
    row("external unit: 100 characters", "externalUnit", unit, QStringLiteral("位名"),
        unit + QStringLiteral("位"), QStringLiteral("名"));
    const QString post = QStringLiteral("职").repeated(23);
    row("other position: 50 bytes", "positionOther", post, QStringLiteral("高级工程师"),
        post + QStringLiteral("高级"), QStringLiteral("工程师"));
}

// The boxes for Latin letters and digits take no Chinese from an input method (it is told they
// take no text, and what it sends is dropped); a capped box takes the part of a phrase that fits
// and names the rest in a note at the box.
void MainFormTest::inputMethodTextLandsOnlyWhereItFits() {
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, committed);
    QFETCH(QString, after);
    QFETCH(QString, left);
    if (field == QStringLiteral("positionOther")) {
        QVERIFY(chooseEntry(list("occupationCategory"), QStringLiteral("其他")));
        QVERIFY(chooseEntry(list("position"), QStringLiteral("其他")));
    }
    QWidget* box = find(qPrintable(field));
    box->setFocus(Qt::MouseFocusReason);
    QToolTip::hideText();
    parvelin::test::commitText(box, before);
    if (left.isEmpty() && after == before) {
        static_cast<QLineEdit*>(box)->clear();
        typeText(box, before); // typed from the keyboard instead
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(box, &query);
        QCOMPARE(query.value(Qt::ImEnabled).toBool(), false);
    }
    QCOMPARE(textOf(box), before);
    parvelin::test::commitText(box, committed);
    QCOMPARE(textOf(box), after);
    QCOMPARE(QToolTip::text(),
             left.isEmpty() ? QString() : QStringLiteral("已达长度上限，未输入：") + left);
}

void MainFormTest::byteCapsRefusePastesThatDoNotFit() {
    QLineEdit* photo = edit("photoNumber");
    photo->insert(QStringLiteral("1").repeated(19));
    photo->insert(QStringLiteral("23"));
    QCOMPARE(photo->text(), QStringLiteral("1").repeated(19)); // 21 bytes do not fit in 20
    photo->insert(QStringLiteral("2"));
    QCOMPARE(photo->text().size(), 20);

    // 100 bytes hold 50 Chinese characters; in Qt's count they would be 50 units of 100 allowed.
    QLineEdit* surname = edit("surnameChinese");
    surname->insert(QStringLiteral("张").repeated(50) + QStringLiteral("a"));
    QCOMPARE(surname->text(), QString()); // 101 bytes, though only 51 UTF-16 units
    QLineEdit* approval = edit("approvalNumber");
    approval->insert(QStringLiteral("外").repeated(17));
    QCOMPARE(approval->text(), QString()); // 34 bytes in 17 units
    approval->insert(QStringLiteral("外").repeated(16));
    QCOMPARE(approval->text(), QStringLiteral("外").repeated(16));
}

void MainFormTest::charactersOutsideGbkAreRefused_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("typed");
    const auto row = [](const char* why, const char* field, const char* character, bool typed) {
        QTest::newRow(why) << QString(field) << QString(character) << typed;
    };
    row("emoji typed into a name", "surnameChinese", "😀", true);
    row("emoji pasted into a name", "givenNameChinese", "😀", false);
    row("Hangul in the external unit", "externalUnit", "한", true);
    row("an extension-B character in the remarks", "remarks", "𠀀", false);
}

void MainFormTest::charactersOutsideGbkAreRefused() {
    QFETCH(QString, field);
    QFETCH(QString, character);
    QFETCH(bool, typed);
    QWidget* widget = find(qPrintable(field));
    widget->setFocus(Qt::MouseFocusReason);
    const auto text = [widget] { return parvelin::test::textOf(widget); };
    typeText(widget, QStringLiteral("王"));
    if (typed) {
        typeText(widget, character);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        plain->insertPlainText(character + QStringLiteral("五"));
    } else {
        static_cast<QLineEdit*>(widget)->insert(character + QStringLiteral("五"));
    }
    QCOMPARE(text(), QStringLiteral("王"));
    QTRY_COMPARE(m_fixture->services.notices, QStringList{parvelin::widgets::qText(
                                                  parvelin::form::message::kCharacterNotStorable)});
}

void MainFormTest::untouchedFormClosesWithoutAsking() {
    QTest::mouseClick(find<QPushButton>("exitButton"), Qt::LeftButton);
    QTRY_VERIFY(!m_fixture->form.isVisible());
    QVERIFY(m_fixture->services.prompts.empty());
}

void MainFormTest::everyChangeMarksTheFormModified_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("value");
    const auto row = [](const char* why, const char* control, const char* value) {
        QTest::newRow(why) << QString(control) << QString(value);
    };
    row("one character of the approval number", "approvalNumber", "1");
    row("approval kind", "approvalKind", "确认件");
    row("birthplace", "birthPlace", "北京");
    row("work unit", "workUnit", "亚洲司");
    row("sex", "sex", "男");
    row("document type", "idDocumentType", "军官证");
    row("photo number", "photoNumber", "1");
    row("external identity", "externalIdentity", "x");
    row("remarks", "remarks", "x");
    row("identity number", "idDocumentNumber", "1");
    row("a date", "fillDate", "");
}

void MainFormTest::everyChangeMarksTheFormModified() {
    QFETCH(QString, control);
    QFETCH(QString, value);
    QWidget* widget = find(qPrintable(control));
    if (auto* box = qobject_cast<QComboBox*>(widget)) {
        QVERIFY(chooseEntry(box, value));
    } else if (auto* picker = qobject_cast<QDateEdit*>(widget)) {
        picker->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(picker, Qt::Key_Up);
        QVERIFY(picker->date() != QDate(2012, 5, 17));
    } else {
        widget->setFocus(Qt::MouseFocusReason);
        typeText(widget, value);
    }
    QVERIFY(m_fixture->form.isModified());
    m_fixture->services.answers.push_back(PlatformServices::Answer::Cancel);
    QTest::mouseClick(find<QPushButton>("exitButton"), Qt::LeftButton);
    QTRY_COMPARE(m_fixture->services.prompts.size(), std::size_t(1));
    QCOMPARE(m_fixture->services.prompts[0].text, QStringLiteral("是否保存更改? "));
    QVERIFY(m_fixture->services.prompts[0].withCancel);
    QVERIFY(m_fixture->form.isVisible());
}

void MainFormTest::closePromptAnswers_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QStringList>("notices");

    QTest::newRow("Cancel keeps the form and its data")
        << int(PlatformServices::Answer::Cancel) << false << QStringList();
    QTest::newRow("No throws the entries away")
        << int(PlatformServices::Answer::No) << true << QStringList();
    QTest::newRow("Yes with a record that fails a check stays")
        << int(PlatformServices::Answer::Yes) << false << QStringList({"必填项不能为空!"});
}

void MainFormTest::closePromptAnswers() {
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QStringList, notices);
    typeInto("surnameChinese", QStringLiteral("张"));
    m_fixture->services.answers.push_back(static_cast<PlatformServices::Answer>(answer));
    QTest::mouseClick(find<QPushButton>("exitButton"), Qt::LeftButton);
    QTRY_COMPARE(m_fixture->services.prompts.size(), std::size_t(1));
    QCOMPARE(m_fixture->form.isVisible(), !closed);
    QCOMPARE(m_fixture->services.notices, notices);
    if (!closed) {
        QCOMPARE(edit("surnameChinese")->text(), QStringLiteral("张"));
        QVERIFY(m_fixture->form.isModified());
    }
}

void MainFormTest::escapeGoesThroughTheClosePrompt() {
    typeInto("approvalNumber", QStringLiteral("1"));
    m_fixture->services.answers.push_back(PlatformServices::Answer::Cancel);
    QTest::keyClick(edit("approvalNumber"), Qt::Key_Escape);
    QCOMPARE(m_fixture->services.prompts.size(), std::size_t(1));
    QVERIFY(m_fixture->form.isVisible());
    QCOMPARE(edit("approvalNumber")->text(), QStringLiteral("1"));

    m_fixture->services.answers.push_back(PlatformServices::Answer::No);
    QTest::keyClick(edit("approvalNumber"), Qt::Key_Escape);
    QVERIFY(!m_fixture->form.isVisible());
}

void MainFormTest::newAsksThenResets() {
    auto& services = m_fixture->services;
    const QStringList startUp = listStates(&m_fixture->form);
    typeInto("approvalNumber", QStringLiteral("外字[2012]35号"));
    QVERIFY(chooseEntry(list("birthPlaceScope"), QStringLiteral("国外")));
    QVERIFY(chooseEntry(list("externalIdentityNoteChoice"), QStringLiteral("记者;Correspondent")));
    typeInto("surnameChinese", QStringLiteral("长"));

    // Yes with a record that fails a check: the check speaks, the entries stay.
    services.answers.push_back(PlatformServices::Answer::Yes);
    QTest::mouseClick(find<QPushButton>("newButton"), Qt::LeftButton);
    QCOMPARE(services.prompts.size(), std::size_t(1));
    QVERIFY(!services.prompts[0].withCancel);
    QCOMPARE(services.notices, QStringList({"请选择中文姓拼音"}));
    QCOMPARE(edit("approvalNumber")->text(), QStringLiteral("外字[2012]35号"));

    services.answers.push_back(PlatformServices::Answer::No);
    QTest::mouseClick(find<QPushButton>("newButton"), Qt::LeftButton);
    QCOMPARE(services.prompts.size(), std::size_t(2));
    QCOMPARE(edit("approvalNumber")->text(), QString());
    QCOMPARE(edit("surnameChinese")->text(), QString());
    QVERIFY2(find("surnamePinyinList")->isHidden(), "the pending choice went with the applicant");
    QVERIFY(!find("surnamePinyin")->isHidden());
    QCOMPARE(listStates(&m_fixture->form), startUp);
    QCOMPARE(find<parvelin::app::TitleComboBox>("externalIdentityNoteChoice")->noteText(),
             QString());
    QVERIFY(!m_fixture->form.isModified());
    QVERIFY(m_fixture->form.currentFilePath().isEmpty());

    QTest::mouseClick(find<QPushButton>("newButton"), Qt::LeftButton);
    QCOMPARE(services.prompts.size(), std::size_t(2)); // nothing to ask after New
}

void MainFormTest::editEnablesByTheRules() {
    QVERIFY(chooseEntry(list("ethnicity"), QStringLiteral("其他")));
    QVERIFY(chooseEntry(list("filingStatus"), QStringLiteral("其他")));
    QTest::mouseClick(find<QPushButton>("editButton"), Qt::LeftButton);
    QCOMPARE(m_fixture->form.state(), parvelin::input::FormState::Editing);
    // What is typed next goes into the form, not to the button clicked.
    QCOMPARE(QApplication::focusWidget(), edit("approvalNumber"));
    QVERIFY(find("ethnicityOther")->isEnabled());
    QVERIFY(find("filingNumber")->isEnabled());
    QVERIFY(!find("positionOther")->isEnabled());
    QVERIFY(!find("heldPassportNumber")->isEnabled());
    QVERIFY(!find("unitCode")->isEnabled());
    QVERIFY(find("surnameDotButton")->isEnabled());
}

void MainFormTest::titleListShowsTheNoteAndTellsItInItsTip() {
    auto* titles = find<parvelin::app::TitleComboBox>("externalIdentityNoteChoice");
    const auto tipText = [titles] {
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), titles->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(titles, &help);
        return QToolTip::text();
    };
    QCOMPARE(tipText(), parvelin::widgets::qText(parvelin::form::kTitleListHint));
    const QString title =
        QStringLiteral("中华人民共和国驻阿拉伯叙利亚共和国大使馆武官助理;Assistant to "
                       "Military Attache of the Embassy of P.R.C.in the Syria Arab "
                       "Republic");
    QVERIFY(chooseEntry(titles, title));
    QCOMPARE(titles->noteText(), title);
    QCOMPARE(tipText(), title); // shown in full, longer than 80 bytes
    QVERIFY(m_fixture->form.isModified());
    // Leaving a title without "*" opens nothing.
    QTest::keyClick(titles, Qt::Key_Tab);
    QTest::qWait(20);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    // The blank title empties the note; an empty value shows no selection.
    chooseEntry(titles, QString());
    QCOMPARE(titles->currentIndex(), -1);
    QCOMPARE(titles->noteText(), QString());
}

// Each command's keys press its button, also from a text box that has keys of its own (Ctrl+E
// moves to the end of a line there), and the button's tooltip names them.
void MainFormTest::commandKeysPressTheirButtons() {
    m_fixture->services.openPaths.push_back(QString());
    for (const parvelin::form::CommandKey& key : parvelin::form::mainFormCommandKeys()) {
        const QString keys = parvelin::widgets::qText(key.keys);
        auto* button =
            m_fixture->form.findChild<QPushButton*>(parvelin::widgets::qText(key.button));
        QVERIFY2(button, qPrintable(keys));
        QCOMPARE(button->toolTip(),
                 button->text() + QStringLiteral("（") + keys + QStringLiteral("）"));
        QSignalSpy pressed(button, &QPushButton::clicked);
        edit("approvalNumber")->setFocus(Qt::MouseFocusReason);
        QTest::keySequence(edit("approvalNumber"), QKeySequence(keys));
        QVERIFY2(pressed.count() == 1, qPrintable(keys));
    }
    m_fixture->services.notices.clear();
}

void MainFormTest::aboutBoxShowsTheVersion() {
    QString caption;
    QString line;
    parvelin::test::whenModal<parvelin::app::AboutBox>([&](parvelin::app::AboutBox* about) {
        caption = about->windowTitle();
        line = about->findChild<QLabel*>(QStringLiteral("aboutTitle"))->text();
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("okButton")),
                          Qt::LeftButton);
    });
    QTest::mouseClick(find<QPushButton>("aboutButton"), Qt::LeftButton);
    QVERIFY(caption.startsWith(QStringLiteral("关于")));
    QVERIFY(line.endsWith(QStringLiteral(" 版本 1.0.13.200")));
    QVERIFY(m_fixture->form.isVisible());
}

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
