#pragma once

#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <cstddef>
#include <optional>

namespace parvelin::input {

// The main form's key filter: every key the operator presses passes here before the control
// that has the focus sees it.

enum class KeyKind {
    Enter,     // Return or the keypad's Enter
    Backspace, // always passes, so that a capped text can shrink
    Character, // a key that inserts text, and the paste shortcut
    Other,     // navigation, Delete, function keys, other shortcuts
};

enum class KeyAction {
    MoveToNextControl, // Enter acts as Tab everywhere: it never triggers a default button
    Discard,           // the capped field is full
    Pass,
};

// `field` is the field of the control that has the focus (none for buttons and the like) and
// `fieldText` its current text. A character is discarded once the field holds as many characters
// as its cap (characterCap).
KeyAction filterKey(KeyKind kind, std::optional<record::Field> field,
                    record::GbkStringView fieldText);

// How many of the characters the input method commits at once the field still takes: the rest of
// its cap, or all of them for a field without a cap.
std::size_t admittedCharacters(std::optional<record::Field> field, record::GbkStringView fieldText,
                               std::size_t committed);

} // namespace parvelin::input
