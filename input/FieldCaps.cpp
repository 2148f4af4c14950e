#include "input/FieldCaps.h"

#include <array>

namespace parvelin::input {

namespace {

struct Caps {
    record::Field field;
    std::optional<std::size_t> bytes;
    std::optional<std::size_t> characters;
};

// Byte caps in the order the form sets them; character caps of the key filter beside them.
constexpr std::array<Caps, 14> kCaps = {{
    {record::Field::unitCode, 20, std::nullopt},
    {record::Field::unitName, 64, 32},
    {record::Field::approvalNumber, 32, std::nullopt},
    {record::Field::surnameChinese, 100, 50},
    {record::Field::givenNameChinese, 100, 50},
    {record::Field::surnamePinyin, 50, std::nullopt},
    {record::Field::givenNamePinyin, 50, std::nullopt},
    {record::Field::idDocumentNumber, 20, std::nullopt},
    {record::Field::personalSequence, 4, std::nullopt},
    {record::Field::externalUnit, 200, 100},
    {record::Field::externalIdentity, 100, 50},
    {record::Field::heldPassportNumber, 40, std::nullopt},
    {record::Field::remarks, 100, 50},
    {record::Field::photoNumber, 20, std::nullopt},
}};

const Caps* capsOf(record::Field field) {
    for (const Caps& caps : kCaps) {
        if (caps.field == field) {
            return &caps;
        }
    }
    return nullptr;
}

} // namespace

std::optional<std::size_t> byteCap(record::Field field) {
    const Caps* caps = capsOf(field);
    return caps ? caps->bytes : std::nullopt;
}

std::optional<std::size_t> characterCap(record::Field field) {
    const Caps* caps = capsOf(field);
    return caps ? caps->characters : std::nullopt;
}

bool exceedsPositionOtherCap(record::GbkStringView positionOther) {
    return positionOther.size() > kPositionOtherByteCap;
}

std::optional<std::size_t> lineCap(record::Field field) {
    return field == record::Field::remarks ? std::optional(kRemarksLineCap) : std::nullopt;
}

bool admitsEdit(std::size_t bytesBefore, std::size_t bytesAfter, std::optional<std::size_t> cap) {
    return !cap || bytesAfter <= *cap || bytesAfter <= bytesBefore;
}

} // namespace parvelin::input
