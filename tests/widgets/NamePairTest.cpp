// A name pair in a window of its own that reads its controls only when the pair asks, so that
// what the pair does itself is seen apart from what the main form's own flows do around it.

#include "widgets/NamePair.h"

#include "input/NameRomanizer.h"
#include "record/GbkText.h"
#include "tests/support/PinyinTables.h"
#include "tests/support/app/FormDriver.h"
#include "widgets/CandidateList.h"
#include "widgets/QtText.h"

#include <map>
#include <utility>

#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QtTest>

namespace {

using parvelin::widgets::CandidateList;
using parvelin::widgets::NamePair;

// The smallest window a pair lives in: its controls, a box the open list covers, a box beside the
// name and the one the keyboard moves on to; its values change only through the pair's hooks.
class PairWindow final : public QWidget {
public:
    explicit PairWindow(const parvelin::input::NameRomanizer& romanizer)
        : chinese(make<QLineEdit>("chinese"))
        , other(make<QLineEdit>("other"))
        , next(make<QLineEdit>("next"))
        , pinyin(make<QLineEdit>("pinyin"))
        , covered(make<QLineEdit>("covered"))
        , candidates(make<CandidateList>("candidates"))
        , dot(make<QPushButton>("dot")) {
        candidates->hide();
        pair = new NamePair(romanizer, parvelin::input::NameSide::GivenName,
                            {chinese, pinyin, candidates, dot, {pinyin, covered}},
                            {&values.chinese, &values.pinyin},
                            {[this] { read(); }, [this] { write(); },
                             [this] {
                                 ++moves;
                                 next->setFocus(Qt::TabFocusReason);
                             },
                             [this] { ++edits; }},
                            this);
        connect(chinese, &QLineEdit::textChanged, this, [this] {
            if (!writing) {
                pair->nameEdited();
            }
        });
        chinese->installEventFilter(this);
        other->installEventFilter(this);
    }

    struct {
        parvelin::record::GbkString chinese;
        parvelin::record::GbkString pinyin;
    } values;
    QLineEdit* chinese;
    QLineEdit* other;
    QLineEdit* next;
    QLineEdit* pinyin;
    QLineEdit* covered;
    CandidateList* candidates;
    QPushButton* dot;
    NamePair* pair = nullptr;
    int edits = 0;
    int moves = 0;

protected:
    // As the forms do: every key of the window's boxes is offered to the pair first.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            pair->takesKey(watched, *static_cast<QKeyEvent*>(event))) {
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    template <typename Widget>
    Widget* make(const char* name) {
        auto* widget = new Widget(this);
        widget->setObjectName(QLatin1String(name));
        widget->setGeometry(0, 30 * children().size(), 200, 25);
        return widget;
    }
    void read() {
        values.chinese = parvelin::widgets::toGbk(chinese->text());
        values.pinyin = parvelin::widgets::toGbk(pinyin->text());
    }
    // As the forms' boxes take a loaded value: a box that shows it already is left as it is,
    // caret and all.
    void write() {
        const QScopedValueRollback quiet(writing, true);
        for (auto [box, value] : {std::pair{chinese, &values.chinese}, {pinyin, &values.pinyin}}) {
            const QString text = parvelin::widgets::fromGbk(*value);
            if (box->text() != text) {
                box->setText(text);
            }
        }
    }
    bool writing = false;
};

} // namespace

class NamePairTest : public QObject {
    Q_OBJECT

private slots:
    void eachChangeGoesThroughTheWindow_data();
    void eachChangeGoesThroughTheWindow();
};

// A script is steps separated by blanks: "name:X" types X into the name box, "pinyin:X" into the
// pinyin box, "key:K" presses K in the box that has the keyboard, "focus:B" clicks into box B,
// "click:C" clicks candidate C, "dot" clicks the dot button.
void NamePairTest::eachChangeGoesThroughTheWindow_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("chinese"); // the name box afterwards
    QTest::addColumn<QString>("pinyin");  // the pinyin box afterwards
    QTest::addColumn<QString>("focus");   // the box with the keyboard afterwards
    QTest::addColumn<int>("caret");       // in the name box afterwards
    QTest::addColumn<int>("edits");       // the changes the window was told of
    QTest::addColumn<int>("movedOn");     // the times the pair sent the keyboard on
    QTest::addColumn<bool>("choosing");
    const auto row = [](const char* why, const char* script, const char* chinese,
                        const char* pinyin, const char* focus, int caret, int edits, int movedOn,
                        bool choosing) {
        QTest::newRow(why) << QString::fromUtf8(script) << QString::fromUtf8(chinese)
                           << QString::fromUtf8(pinyin) << QString::fromUtf8(focus) << caret
                           << edits << movedOn << choosing;
    };
    row("a click takes the candidate and leaves the caret at the end of the name",
        "name:长 key:Home click:ZHANG", "长", "ZHANG", "chinese", 1, 2, 0, false);
    row("the dot adds to what the pinyin box holds, read when it is clicked", "pinyin:ABC dot", "·",
        "ABC-", "dot", 1, 1, 0, false);
    row("Tab in another box while the list is open is that box's", "name:长 focus:other key:Tab",
        "长", "", "next", 1, 1, 0, true);
}

void NamePairTest::eachChangeGoesThroughTheWindow() {
    QFETCH(QString, script);
    QFETCH(QString, chinese);
    QFETCH(QString, pinyin);
    QFETCH(QString, focus);
    QFETCH(int, caret);
    QFETCH(int, edits);
    QFETCH(int, movedOn);
    QFETCH(bool, choosing);
    const parvelin::input::NameRomanizer romanizer(parvelin::test::loadedPinyinTable());
    PairWindow window(romanizer);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const std::map<QString, Qt::Key> keys = {{"Tab", Qt::Key_Tab}, {"Home", Qt::Key_Home}};
    for (const QString& step : script.split(QLatin1Char(' '))) {
        const QString verb = step.section(QLatin1Char(':'), 0, 0);
        const QString what = step.section(QLatin1Char(':'), 1);
        if (verb == QStringLiteral("name") || verb == QStringLiteral("pinyin")) {
            QLineEdit* box = verb == QStringLiteral("name") ? window.chinese : window.pinyin;
            QTest::mouseClick(box, Qt::LeftButton);
            parvelin::test::typeText(box, what);
        } else if (verb == QStringLiteral("key")) {
            QTest::keyClick(QApplication::focusWidget(), keys.at(what));
        } else if (verb == QStringLiteral("focus")) {
            QTest::mouseClick(window.findChild<QWidget*>(what), Qt::LeftButton);
        } else if (verb == QStringLiteral("click")) {
            parvelin::test::clickItem(window.candidates, what);
        } else {
            QCOMPARE(verb, QStringLiteral("dot"));
            QTest::mouseClick(window.dot, Qt::LeftButton);
        }
    }
    QCOMPARE(window.chinese->text(), chinese);
    QCOMPARE(window.pinyin->text(), pinyin);
    // What the boxes show is what the window holds: every change went through its exchange.
    QCOMPARE(parvelin::widgets::fromGbk(window.values.chinese), chinese);
    QCOMPARE(parvelin::widgets::fromGbk(window.values.pinyin), pinyin);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(window.chinese->cursorPosition(), caret);
    QCOMPARE(window.edits, edits);
    QCOMPARE(window.moves, movedOn);
    QCOMPARE(window.pair->isChoosing(), choosing);
    // The open list lies over the pinyin box and the box under it, which take no clicks then.
    QCOMPARE(window.candidates->isHidden(), !choosing);
    QCOMPARE(window.pinyin->isHidden(), choosing);
    QCOMPARE(window.covered->isHidden(), choosing);
}

QTEST_MAIN(NamePairTest)
#include "NamePairTest.moc"
