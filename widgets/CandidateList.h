#pragma once

#include "record/GbkText.h"

#include <QListWidget>

namespace parvelin::widgets {

// The list of pinyin candidates that lies over a pinyin box while the Chinese name beside it has
// several readings. It is on the keyboard road: its name box sends the keyboard into it (enter),
// the arrow keys move the highlight without taking anything, Enter or Space take the highlighted
// candidate, Esc goes back to the name box and Tab stays; a click takes the clicked candidate.
// Nothing typed while the keyboard is in the list reaches another control.
class CandidateList final : public QListWidget {
    Q_OBJECT
public:
    explicit CandidateList(QWidget* parent);

    // The keys that take the keyboard from the name box into its open list: Tab, the down arrow,
    // and Enter, which acts as Tab on the forms.
    static bool entersFromNameBox(const QKeyEvent& event);

    // The keyboard comes in from the name box: the first candidate is highlighted.
    void enter();

signals:
    void chosen(const record::GbkString& candidate, bool byKeyboard);
    void dismissed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
};

} // namespace parvelin::widgets
