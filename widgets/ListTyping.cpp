#include "widgets/ListTyping.h"

#include "input/EntryReadings.h"
#include "widgets/DropDownList.h"
#include "widgets/ListControls.h"
#include "widgets/QtText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace parvelin::widgets {

namespace {

// Typed text as the entries' readings are held: tone marks left out ("zhè" is zhe, "lǜ" lu).
QString withoutMarks(const QString& text) {
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing) {
            plain.append(c);
        }
    }
    return plain.normalized(QString::NormalizationForm_C);
}

// The text of a key that types: not a blank (Space opens the list), not a control character
// (Enter, Tab, Esc, Backspace), not a shortcut.
QString typedText(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return {};
    }
    const QString text = key.text();
    if (text.isEmpty() || !text.at(0).isPrint() || text.at(0).isSpace()) {
        return {};
    }
    return text;
}

// The search of one list. It watches the list (closed) and the view of its popup (open).
class ListTyping final : public QObject {
public:
    ListTyping(QComboBox* list, const input::PinyinTable& table)
        : QObject(list)
        , m_list(list)
        , m_table(table) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keyTyped(const QString& text);
    void composed(const QInputMethodEvent& event);
    // The keys typed so far, unless the last came before a pause.
    QString gathered() const;
    void choose(const QString& typed);

    QComboBox* m_list;
    const input::PinyinTable& m_table;
    QString m_typed;           // the keys of the search, or the phrase committed and the keys after
    QElapsedTimer m_lastInput; // since the last key or committed phrase
};

bool ListTyping::eventFilter(QObject*, QEvent* event) {
    if (!m_list->isEnabled()) {
        return false; // an opened applicant's greyed list takes nothing
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const QString text = typedText(*static_cast<QKeyEvent*>(event));
        if (text.isEmpty()) {
            return false;
        }
        keyTyped(text);
        return true; // not to Qt's search by first letters, which would choose something else
    }
    case QEvent::InputMethod:
        composed(*static_cast<QInputMethodEvent*>(event));
        return true;
    default:
        return false;
    }
}

QString ListTyping::gathered() const {
    const bool paused =
        !m_lastInput.isValid() || m_lastInput.elapsed() > QApplication::keyboardInputInterval();
    return paused ? QString() : m_typed;
}

void ListTyping::keyTyped(const QString& text) {
    m_typed = gathered() + text;
    m_lastInput.start();
    choose(m_typed);
}

// An input method's phrase chooses as it is composed (its pinyin, "zhe jiang"), and again when
// it is committed (浙江); a committed phrase that names nothing, or a composition given up, leaves
// the choice that its pinyin made. The phrase is a search of its own, which keys typed right
// after it go on.
void ListTyping::composed(const QInputMethodEvent& event) {
    if (!event.commitString().isEmpty()) {
        m_typed = event.commitString();
        m_lastInput.start();
        choose(m_typed);
    } else if (!event.preeditString().isEmpty()) {
        choose(event.preeditString());
    }
}

void ListTyping::choose(const QString& typed) {
    const QString plain = withoutMarks(typed);
    if (!isGbkText(plain)) {
        return;
    }
    const std::vector<record::GbkString> entries = listEntries(m_list);
    const std::optional<std::size_t> found =
        input::entryChosenByTyping(m_table, entries, toGbk(plain));
    if (!found) {
        return;
    }
    const int row = static_cast<int>(*found);
    QAbstractItemView* view = m_list->view();
    if (view->isVisible()) {
        view->setCurrentIndex(m_list->model()->index(row, m_list->modelColumn()));
        return;
    }
    if (row != m_list->currentIndex()) {
        // As QComboBox itself reports a choice by the arrow keys or its own search.
        m_list->setCurrentIndex(row);
        emit m_list->activated(row);
        emit m_list->textActivated(m_list->itemText(row));
    }
}

void chooseByTyping(QComboBox* list, const input::PinyinTable& table) {
    if (list->isEditable()) {
        return;
    }
    auto* typing = new ListTyping(list, table);
    // A list that is not editable turns input methods away; its search takes their phrases.
    list->setAttribute(Qt::WA_InputMethodEnabled);
    list->installEventFilter(typing);
    if (auto* dropDown = qobject_cast<DropDownList*>(list)) {
        dropDown->beforeOpening(
            [typing](QAbstractItemView* view) { view->installEventFilter(typing); });
    } else {
        list->view()->installEventFilter(typing);
    }
}

} // namespace

void listsChooseByTyping(QWidget* window, const input::PinyinTable& table) {
    for (QComboBox* list : window->findChildren<QComboBox*>()) {
        chooseByTyping(list, table);
    }
}

} // namespace parvelin::widgets
