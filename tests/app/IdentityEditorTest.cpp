// The identity editor, opened from the main form's title list as the operator opens it, and on its
// own.

#include "app/IdentityEditor.h"

#include "app/MainForm.h"
#include "app/TitleComboBox.h"
#include "datafile/Validation.h"
#include "tests/support/app/FormFixture.h"
#include "widgets/QtText.h"

#include <functional>
#include <memory>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using parvelin::app::IdentityEditor;
using parvelin::test::chooseEntry;
using parvelin::test::FormFixture;
using parvelin::test::typeText;

namespace {

const QString kAmbassadorsWife = QStringLiteral("大使***夫人;wife of ***,Ambassador");

QLineEdit* editorEdit(IdentityEditor* editor, const char* name) {
    return editor->findChild<QLineEdit*>(QLatin1String(name));
}

void typeIntoEditor(IdentityEditor* editor, const char* name, const QString& text) {
    QLineEdit* edit = editorEdit(editor, name);
    edit->setFocus(Qt::MouseFocusReason);
    typeText(edit, text);
}

void press(IdentityEditor* editor, const char* button) {
    QTest::mouseClick(editor->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

class IdentityEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void okPutsTheNameIntoBothHalves_data();
    void okPutsTheNameIntoBothHalves();
    void cancelKeepsThePlaceholderAndSaveRefuses();
    void titleWithoutPlaceholderOpensNoEditor();
    void okRefusesIncompleteNames_data();
    void okRefusesIncompleteNames();
    void okTidiesThePinyin();
    void candidateListCoversOnlyThePinyinBox();
    void enterMovesOnExceptOnOk();

private:
    // Chooses a title, leaves the list with Tab, and lets `fill` work in the editor that opens.
    void completeTitle(const QString& title, std::function<void(IdentityEditor*)> fill);

    std::unique_ptr<FormFixture> m_fixture;
    parvelin::app::TitleComboBox* titles() {
        return m_fixture->find<parvelin::app::TitleComboBox>("externalIdentityNoteChoice");
    }
};

void IdentityEditorTest::init() {
    m_fixture = std::make_unique<FormFixture>();
    QVERIFY(m_fixture->ready());
}

void IdentityEditorTest::cleanup() {
    QVERIFY(m_fixture->services.unexpected.isEmpty());
    m_fixture.reset();
}

void IdentityEditorTest::completeTitle(const QString& title,
                                       std::function<void(IdentityEditor*)> fill) {
    bool opened = false;
    parvelin::test::whenModal<IdentityEditor>([&](IdentityEditor* editor) {
        opened = true;
        QCOMPARE(editor->windowTitle(), QStringLiteral("更新用户对外身份"));
        fill(editor);
    });
    QVERIFY(chooseEntry(titles(), title));
    QCOMPARE(titles()->noteText(), title);
    QTest::keyClick(titles(), Qt::Key_Tab);
    QTRY_VERIFY(opened);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
}

void IdentityEditorTest::okPutsTheNameIntoBothHalves_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("givenName");
    QTest::addColumn<QString>("note");
    const auto row = [](const char* why, const QString& title, const char* surname,
                        const char* givenName, const char* note) {
        QTest::newRow(why) << title << QString(surname) << QString(givenName) << QString(note);
    };
    row("worked example", kAmbassadorsWife, "张", "三",
        "大使张三夫人;wife of ZHANG SAN,Ambassador");
    row("given name only: two blanks", QStringLiteral("***夫人;wife of ***"), "", "三",
        "三夫人;wife of  SAN");
    row("both halves", QStringLiteral("***之子;son of ***"), "李", "明", "李明之子;son of LI MING");
    row("the surname box reads a surname as one, no list", QStringLiteral("***之子;son of ***"),
        "单", "明", "单明之子;son of SHAN MING");
}

void IdentityEditorTest::okPutsTheNameIntoBothHalves() {
    QFETCH(QString, title);
    QFETCH(QString, surname);
    QFETCH(QString, givenName);
    QFETCH(QString, note);
    completeTitle(title, [&](IdentityEditor* editor) {
        typeIntoEditor(editor, "surnameChinese", surname);
        typeIntoEditor(editor, "givenNameChinese", givenName);
        press(editor, "okButton");
    });
    QCOMPARE(titles()->noteText(), note);
    QCOMPARE(titles()->currentText(), title); // the list keeps the template
    QVERIFY(m_fixture->form.readControls());
    QCOMPARE(m_fixture->form.record().externalIdentityNote, parvelin::widgets::toGbk(note));
    QVERIFY(m_fixture->services.notices.isEmpty());
}

void IdentityEditorTest::cancelKeepsThePlaceholderAndSaveRefuses() {
    completeTitle(kAmbassadorsWife, [](IdentityEditor* editor) {
        typeIntoEditor(editor, "surnameChinese", QStringLiteral("张"));
        press(editor, "cancelButton");
    });
    QCOMPARE(titles()->noteText(), kAmbassadorsWife);

    // A form that passes every check before the title: Save then stops at the title and takes the
    // focus back to the list; leaving it opens the editor again.
    auto& form = m_fixture->form;
    const auto type = [this](const char* name, const QString& text) {
        QWidget* widget = m_fixture->find(name);
        widget->setFocus(Qt::MouseFocusReason);
        typeText(widget, text);
    };
    type("approvalNumber", QStringLiteral("外字[2012]35号"));
    type("photoNumber", QStringLiteral("12345678901234567890"));
    type("surnameChinese", QStringLiteral("王"));
    type("idDocumentNumber", QStringLiteral("110101198001010010"));
    for (const auto& [list, entry] : {std::pair{"sex", "男"},
                                      {"birthPlace", "北京"},
                                      {"workUnit", "亚洲司"},
                                      {"occupationCategory", "参公管理人员"},
                                      {"position", "科员"},
                                      {"heldPassportStatus", "无"},
                                      {"ethnicity", "汉"}}) {
        QVERIFY2(chooseEntry(m_fixture->find<QComboBox>(list), QString::fromUtf8(entry)), list);
    }
    QTest::mouseClick(m_fixture->find<QPushButton>("saveButton"), Qt::LeftButton);
    QCOMPARE(m_fixture->services.notices,
             QStringList{parvelin::widgets::qText(parvelin::datafile::message::kPlaceholderLeft)});
    QCOMPARE(QApplication::focusWidget(), titles());
    QVERIFY(m_fixture->services.saveDialogs.empty());
    QVERIFY(form.isModified());

    bool reopened = false;
    parvelin::test::whenModal<IdentityEditor>([&](IdentityEditor* editor) {
        reopened = true;
        press(editor, "cancelButton");
    });
    QTest::keyClick(titles(), Qt::Key_Tab);
    QTRY_VERIFY(reopened);
}

void IdentityEditorTest::titleWithoutPlaceholderOpensNoEditor() {
    QVERIFY(chooseEntry(titles(), QStringLiteral("记者;Correspondent")));
    QTest::keyClick(titles(), Qt::Key_Tab);
    QTest::qWait(20);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(titles()->noteText(), QStringLiteral("记者;Correspondent"));
}

void IdentityEditorTest::okRefusesIncompleteNames_data() {
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("givenName");
    QTest::addColumn<QString>("surnamePinyin");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* why, const char* surname, const char* givenName,
                        const char* surnamePinyin, const char* message) {
        QTest::newRow(why) << QString(surname) << QString(givenName) << QString(surnamePinyin)
                           << QString(message);
    };
    row("all four empty", "", "", "", "姓和名不能同时为空！");
    row("a Chinese name without pinyin", "〇", "", "", "姓和名不能同时为空！");
    row("surname list open, given list too", "长", "单", "", "请选择中文姓拼音");
    row("only the given-name list open", "张", "单", "", "请选择中文名拼音");
    row("blanks are not a name", "", "", "  ", "姓和名不能同时为空！");
}

void IdentityEditorTest::okRefusesIncompleteNames() {
    QFETCH(QString, surname);
    QFETCH(QString, givenName);
    QFETCH(QString, surnamePinyin);
    QFETCH(QString, message);
    const parvelin::input::NameRomanizer romanizer(parvelin::test::loadedPinyinTable());
    IdentityEditor editor(romanizer, m_fixture->services, &m_fixture->form);
    editor.show();
    typeIntoEditor(&editor, "surnameChinese", surname);
    typeIntoEditor(&editor, "givenNameChinese", givenName);
    typeIntoEditor(&editor, "surnamePinyin", surnamePinyin);
    press(&editor, "okButton");
    QCOMPARE(m_fixture->services.notices, QStringList{message});
    QVERIFY(editor.isVisible()); // the editor stays open after each message
    QCOMPARE(editor.result(), int(QDialog::Rejected));
}

void IdentityEditorTest::okTidiesThePinyin() {
    const parvelin::input::NameRomanizer romanizer(parvelin::test::loadedPinyinTable());
    IdentityEditor editor(romanizer, m_fixture->services, &m_fixture->form);
    editor.show();
    typeIntoEditor(&editor, "surnameChinese", QStringLiteral(" 张"));
    editorEdit(&editor, "surnamePinyin")->selectAll(); // over the proposed ZHANG
    typeIntoEditor(&editor, "surnamePinyin", QStringLiteral(" zhang "));
    typeIntoEditor(&editor, "givenNamePinyin", QStringLiteral("san"));
    press(&editor, "okButton");
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    const parvelin::input::IdentityNames names = editor.names();
    QCOMPARE(names.surnameChinese, parvelin::record::gbk("张"));
    QCOMPARE(names.surnamePinyin, std::string("Zhang"));
    QCOMPARE(names.givenNamePinyin, std::string("San"));
    QCOMPARE(editorEdit(&editor, "surnamePinyin")->text(), QStringLiteral("Zhang"));
}

void IdentityEditorTest::candidateListCoversOnlyThePinyinBox() {
    const parvelin::input::NameRomanizer romanizer(parvelin::test::loadedPinyinTable());
    IdentityEditor editor(romanizer, m_fixture->services, &m_fixture->form);
    editor.show();
    typeIntoEditor(&editor, "givenNameChinese", QStringLiteral("长"));
    auto* candidates = editor.findChild<QListWidget*>(QStringLiteral("givenNamePinyinList"));
    QVERIFY(!candidates->isHidden());
    QVERIFY(editorEdit(&editor, "givenNamePinyin")->isHidden());
    QVERIFY(!editorEdit(&editor, "surnamePinyin")->isHidden());
    parvelin::test::clickItem(candidates, QStringLiteral("CHANG"));
    QCOMPARE(editorEdit(&editor, "givenNamePinyin")->text(), QStringLiteral("CHANG"));
    QVERIFY(candidates->isHidden());
    QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("givenNameDotButton")),
                      Qt::LeftButton);
    QCOMPARE(editorEdit(&editor, "givenNameChinese")->text(), QStringLiteral("长·"));
    QCOMPARE(editorEdit(&editor, "givenNamePinyin")->text(), QStringLiteral("CHANG-"));
}

void IdentityEditorTest::enterMovesOnExceptOnOk() {
    const parvelin::input::NameRomanizer romanizer(parvelin::test::loadedPinyinTable());
    IdentityEditor editor(romanizer, m_fixture->services, &m_fixture->form);
    editor.show();
    editor.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &editor);
    typeIntoEditor(&editor, "surnameChinese", QStringLiteral("张"));
    QTest::keyClick(editorEdit(&editor, "surnameChinese"), Qt::Key_Return);
    QVERIFY(editor.isVisible());
    // On to the given name, past the dot button, which the next Space would press.
    QCOMPARE(QApplication::focusWidget(), editorEdit(&editor, "givenNameChinese"));
    // With a candidate list open, Enter or the down arrow in the name box go into the list, and
    // Esc there comes back without closing the editor.
    QLineEdit* givenName = editorEdit(&editor, "givenNameChinese");
    typeIntoEditor(&editor, "givenNameChinese", QStringLiteral("长"));
    auto* candidates = editor.findChild<QListWidget*>(QStringLiteral("givenNamePinyinList"));
    QTest::keyClick(givenName, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), candidates);
    QTest::keyClick(candidates, Qt::Key_Escape);
    QVERIFY(editor.isVisible());
    QCOMPARE(QApplication::focusWidget(), givenName);
    QTest::keyClick(givenName, Qt::Key_Down);
    QTest::keyClick(candidates, Qt::Key_Down);
    QTest::keyClick(candidates, Qt::Key_Return);
    QCOMPARE(editorEdit(&editor, "givenNamePinyin")->text(), QStringLiteral("ZHANG"));
    QCOMPARE(QApplication::focusWidget(), editorEdit(&editor, "surnamePinyin")); // past the dot
    auto* ok = editor.findChild<QPushButton*>(QStringLiteral("okButton"));
    ok->setFocus(Qt::TabFocusReason);
    QTest::keyClick(ok, Qt::Key_Return);
    QCOMPARE(editor.result(), int(QDialog::Accepted)); // 张 / ZHANG is a complete name
}

QTEST_MAIN(IdentityEditorTest)
#include "IdentityEditorTest.moc"
