#include "input/KeyFilter.h"

#include "input/FieldCaps.h"

#include <algorithm>

namespace parvelin::input {

KeyAction filterKey(KeyKind kind, std::optional<record::Field> field,
                    record::GbkStringView fieldText) {
    switch (kind) {
    case KeyKind::Enter:
        return KeyAction::MoveToNextControl;
    case KeyKind::Character:
        return admittedCharacters(field, fieldText, 1) == 0 ? KeyAction::Discard : KeyAction::Pass;
    case KeyKind::Backspace:
    case KeyKind::Other:
        break;
    }
    return KeyAction::Pass;
}

std::size_t admittedCharacters(std::optional<record::Field> field, record::GbkStringView fieldText,
                               std::size_t committed) {
    const std::optional<std::size_t> cap = field ? characterCap(*field) : std::nullopt;
    if (!cap) {
        return committed;
    }
    const std::size_t count = record::characterCount(fieldText);
    return count >= *cap ? 0 : std::min(committed, *cap - count);
}

} // namespace parvelin::input
