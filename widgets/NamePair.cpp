#include "widgets/NamePair.h"

#include "input/NameEntry.h"
#include "widgets/CandidateList.h"
#include "widgets/ListControls.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace parvelin::widgets {

NamePair::NamePair(const input::NameRomanizer& romanizer, input::NameSide side, Controls controls,
                   Values values, Hooks hooks, QObject* parent)
    : QObject(parent)
    , m_romanizer(romanizer)
    , m_side(side)
    , m_controls(std::move(controls))
    , m_values(values)
    , m_hooks(std::move(hooks)) {
    connect(m_controls.candidates, &CandidateList::chosen, this,
            [this](const record::GbkString& candidate, bool byKeyboard) {
                candidateChosen(candidate, byKeyboard);
            });
    connect(m_controls.candidates, &CandidateList::dismissed, this,
            [this] { m_controls.chinese->setFocus(Qt::OtherFocusReason); });
    connect(m_controls.dot, &QPushButton::clicked, this, [this] { dotClicked(); });
}

void NamePair::nameEdited() {
    {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        m_controls.candidates->clear();
    }
    const record::GbkString previous = *m_values.chinese;
    m_hooks.readControls();
    const input::NameChange change =
        input::nameFieldChanged(m_romanizer, m_side, previous, *m_values.chinese, isChoosing());
    *m_values.chinese = change.name;
    if (change.pinyin) {
        *m_values.pinyin = *change.pinyin;
    }
    m_hooks.writeControls();
    m_controls.chinese->end(false);
    if (!change.candidates.empty()) {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        fillCandidates(m_controls.candidates, change.candidates);
    }
    if (change.showList) {
        showCandidates(*change.showList);
    }
    edited();
}

bool NamePair::isChoosing() const {
    return !m_controls.candidates->isHidden();
}

void NamePair::hideCandidates() {
    const QScopedValueRollback silence(m_silence, m_silence + 1);
    m_controls.candidates->clear();
    showCandidates(false);
}

bool NamePair::takesKey(const QObject* watched, const QKeyEvent& event) {
    if (watched != m_controls.chinese || !isChoosing() ||
        !CandidateList::entersFromNameBox(event)) {
        return false;
    }
    m_controls.candidates->enter();
    return true;
}

// A click leaves the caret at the end of the name; a choice made with the keyboard moves on to
// the control after the name box, as Tab would have without the list.
void NamePair::candidateChosen(const record::GbkString& candidate, bool byKeyboard) {
    if (m_silence > 0) {
        return;
    }
    m_hooks.readControls();
    *m_values.pinyin = input::chosenCandidate(candidate);
    m_hooks.writeControls();
    showCandidates(false);
    m_controls.chinese->setFocus(Qt::OtherFocusReason);
    m_controls.chinese->end(false);
    if (byKeyboard) {
        m_hooks.moveOn();
    }
    edited();
}

void NamePair::dotClicked() {
    m_hooks.readControls();
    input::NamePart part = input::withNameDot({*m_values.chinese, *m_values.pinyin});
    *m_values.chinese = std::move(part.chinese);
    *m_values.pinyin = std::move(part.pinyin);
    m_hooks.writeControls();
    edited();
}

void NamePair::showCandidates(bool show) {
    m_controls.candidates->setVisible(show);
    if (show) {
        m_controls.candidates->raise();
    }
    for (QWidget* covered : m_controls.covered) {
        covered->setVisible(!show);
    }
}

void NamePair::edited() {
    if (m_hooks.edited) {
        m_hooks.edited();
    }
}

} // namespace parvelin::widgets
