#include "input/KeyFilter.h"

#include "input/FieldCaps.h"

namespace parvelin::input {

KeyAction filterKey(KeyKind kind, std::optional<record::Field> field,
                    record::GbkStringView fieldText) {
    switch (kind) {
    case KeyKind::Enter:
        return field && lineCap(*field) ? KeyAction::BreakLine : KeyAction::MoveToNextField;
    case KeyKind::Character: {
        const std::optional<std::size_t> cap = field ? characterCap(*field) : std::nullopt;
        return cap && record::characterCount(fieldText) >= *cap ? KeyAction::Discard
                                                                : KeyAction::Pass;
    }
    case KeyKind::Backspace:
    case KeyKind::Other:
        break;
    }
    return KeyAction::Pass;
}

std::size_t admittedCharacters(const BoxCaps& caps, record::GbkStringView staying,
                               std::span<const record::GbkString> committed) {
    std::size_t characters = record::characterCount(staying);
    std::size_t bytes = staying.size();
    std::size_t admitted = 0;
    for (const record::GbkString& character : committed) {
        characters += 1;
        bytes += character.size();
        if ((caps.characters && characters > *caps.characters) ||
            (caps.bytes && bytes > *caps.bytes)) {
            break;
        }
        ++admitted;
    }
    return admitted;
}

} // namespace parvelin::input
