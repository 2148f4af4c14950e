#pragma once

class QComboBox;
class QWidget;

namespace parvelin::input {
class PinyinTable;
} // namespace parvelin::input

namespace parvelin::widgets {

// Every drop-down list of a window chooses its entry by typing, closed or open: the entry's
// pinyin in full or in initials, or its characters as an input method commits them, the pinyin
// that the input method composes followed as it is typed (input/EntryReadings.h). Keys typed in
// quick succession make one search, until a pause of the desktop's keyboard input interval, as
// Qt's own search by first letters does. The entry found is taken as a Down press would take it:
// on a closed list it becomes the choice (the list's activated signal follows, so dependent
// fields follow it as they follow the arrow keys); on an open list it is highlighted, and Enter
// takes it. What matches nothing leaves the choice alone; a greyed list takes nothing.
//
// The lists take an input method's text from then on; an editable list is left as it is, as its
// own box takes what is typed.
void listsChooseByTyping(QWidget* window, const input::PinyinTable& table);

} // namespace parvelin::widgets
