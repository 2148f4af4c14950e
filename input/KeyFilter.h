#pragma once

#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <cstddef>
#include <optional>
#include <span>

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
    // Enter acts as Tab, but only onto the fields: it never triggers a default button, and never
    // leaves the focus on a button or the check box, which would take the next Space (the key
    // that commits an input method's word) as a press.
    MoveToNextField,
    BreakLine, // Enter in the box of several lines; its guard keeps the box within its line cap
    Discard,   // the capped field is full
    Pass,
};

// `field` is the field of the control that has the focus (none for buttons and the like) and
// `fieldText` its current text. A character is discarded once the field holds as many characters
// as its cap (characterCap).
KeyAction filterKey(KeyKind kind, std::optional<record::Field> field,
                    record::GbkStringView fieldText);

// The caps of a box: characters (characterCap) and GBK bytes (byteCap, or the other-position
// box's cap from the exchange).
struct BoxCaps {
    std::optional<std::size_t> characters;
    std::optional<std::size_t> bytes;
};

// How many of the characters that an input method commits at once the box still takes: as many
// as fit, one after the other, under both caps, counted on from `staying` (the box's text without
// the selection the commit replaces). `committed` holds each character's GBK bytes.
std::size_t admittedCharacters(const BoxCaps& caps, record::GbkStringView staying,
                               std::span<const record::GbkString> committed);

} // namespace parvelin::input
