#pragma once

#include "input/NameEntry.h"
#include "input/NameRomanizer.h"
#include "record/GbkText.h"

#include <functional>
#include <vector>

#include <QObject>

class QKeyEvent;
class QLineEdit;
class QPushButton;
class QWidget;

namespace parvelin::widgets {

class CandidateList;

// One half of a name as the clerk sees it: the Chinese box, the pinyin box, the candidate list
// that lies over the pinyin box while the name has several readings, and the "·" button. The main
// form has two (surname, given name), the identity editor two more.
//
// The pair works on the values its window keeps (`chinese`, `pinyin`) and moves them through the
// window's own exchange with its controls, so that it changes exactly what typing would.
class NamePair final : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QLineEdit* chinese = nullptr;
        QLineEdit* pinyin = nullptr;
        CandidateList* candidates = nullptr;
        QPushButton* dot = nullptr;
        // The controls the open list lies over (the pinyin box first); hidden while it is open,
        // so that they take no clicks through it.
        std::vector<QWidget*> covered;
    };

    struct Values {
        record::GbkString* chinese = nullptr; // the window's value of the Chinese box
        record::GbkString* pinyin = nullptr;  // and of the pinyin box
    };

    // What the pair asks of its window.
    struct Hooks {
        std::function<void()> readControls;  // the window's controls into its values
        std::function<void()> writeControls; // its values into the controls
        std::function<void()> moveOn;        // the focus to the control after the Chinese box
        std::function<void()> edited;        // after each change the pair made (may be empty)
    };

    // `side` says which name the pair holds: a surname romanizes as one (input::NameSide).
    NamePair(const input::NameRomanizer& romanizer, input::NameSide side, Controls controls,
             Values values, Hooks hooks, QObject* parent);

    // The Chinese box's text changed by the clerk (the window tells; it knows its own writes).
    void nameEdited();

    // A candidate list waits for the clerk's choice.
    bool isChoosing() const;
    void hideCandidates();

    // From the Chinese box with its list open, Tab, Enter and the down arrow go into the list;
    // true when `event` to `watched` did so.
    bool takesKey(const QObject* watched, const QKeyEvent& event);

    QPushButton* dotButton() const { return m_controls.dot; }

private:
    void candidateChosen(const record::GbkString& candidate, bool byKeyboard);
    void dotClicked();
    void showCandidates(bool show);
    void edited();

    const input::NameRomanizer& m_romanizer;
    input::NameSide m_side;
    Controls m_controls;
    Values m_values;
    Hooks m_hooks;
    int m_silence = 0; // > 0 while the pair fills or empties its list
};

} // namespace parvelin::widgets
