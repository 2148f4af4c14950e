#include "app/FieldCaps.h"

#include <array>

namespace parvelin::app {

namespace {

struct Caps {
    Field field;
    std::optional<std::size_t> bytes;
    std::optional<std::size_t> characters;
};

// Byte caps in the order the form sets them; character caps of the key filter beside them.
constexpr std::array<Caps, 14> kCaps = {{
    {Field::unitCode, 20, std::nullopt},
    {Field::unitName, 64, 32},
    {Field::approvalNumber, 32, std::nullopt},
    {Field::surnameChinese, 100, 50},
    {Field::givenNameChinese, 100, 50},
    {Field::surnamePinyin, 50, std::nullopt},
    {Field::givenNamePinyin, 50, std::nullopt},
    {Field::idDocumentNumber, 20, std::nullopt},
    {Field::personalSequence, 4, std::nullopt},
    {Field::externalUnit, 200, 100},
    {Field::externalIdentity, 100, 50},
    {Field::heldPassportNumber, 40, std::nullopt},
    {Field::remarks, 100, 50},
    {Field::photoNumber, 20, std::nullopt},
}};

const Caps* capsOf(Field field) {
    for (const Caps& caps : kCaps) {
        if (caps.field == field) {
            return &caps;
        }
    }
    return nullptr;
}

} // namespace

std::optional<std::size_t> byteCap(Field field) {
    const Caps* caps = capsOf(field);
    return caps ? caps->bytes : std::nullopt;
}

std::optional<std::size_t> characterCap(Field field) {
    const Caps* caps = capsOf(field);
    return caps ? caps->characters : std::nullopt;
}

bool exceedsPositionOtherCap(GbkStringView positionOther) {
    return positionOther.size() > kPositionOtherByteCap;
}

bool admitsEdit(std::size_t bytesBefore, std::size_t bytesAfter, std::optional<std::size_t> cap) {
    return !cap || bytesAfter <= *cap || bytesAfter <= bytesBefore;
}

} // namespace parvelin::app
