#include "datafile/RecordText.h"

#include "app/DecimalText.h"
#include "app/ReferenceLists.h"
#include "app/Vocabulary.h"

#include <array>
#include <optional>
#include <vector>

namespace parvelin::datafile {

namespace {

using app::CalendarDate;
using app::GbkString;
using app::GbkStringView;
using app::MemberRecord;

constexpr std::string_view kHeader = "groupMember|";
constexpr char kSeparator = '|';
constexpr std::size_t kFileValueCount = 31;

// The birthplaces at home as one text, each enclosed in ",": parsing tells the scope of a restored
// birthplace by finding it there, enclosed the same way.
const GbkString& delimitedDomesticBirthPlaces() {
    static const GbkString list = [] {
        GbkString joined(1, ',');
        for (const GbkString& place : app::domesticBirthPlaces()) {
            joined += place;
            joined += ',';
        }
        return joined;
    }();
    return list;
}

// Three decimal integers separated by "-", read as year, month and day; a real calendar date in
// the years that the form's dates can hold (100..9999), or nothing.
std::optional<CalendarDate> parseDate(GbkStringView text) {
    std::array<int, 3> parts{};
    std::size_t position = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (position >= text.size() || text[position] != '-') {
                return std::nullopt;
            }
            ++position;
        }
        const GbkStringView rest = text.substr(position);
        const auto number = app::leadingNumber(rest);
        if (!number) {
            return std::nullopt;
        }
        parts[i] = *number;
        // Step over what leadingNumber read: white space, sign and digits.
        std::size_t used = rest.find_first_not_of(" \t\n\v\f\r");
        if (rest[used] == '+' || rest[used] == '-') {
            ++used;
        }
        while (used < rest.size() && rest[used] >= '0' && rest[used] <= '9') {
            ++used;
        }
        position += used;
    }
    if (parts[0] < 100 || parts[0] > 9999 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 ||
        parts[2] > 31) {
        return std::nullopt;
    }
    const CalendarDate date{std::chrono::year{parts[0]}, std::chrono::month{unsigned(parts[1])},
                            std::chrono::day{unsigned(parts[2])}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

GbkString join(std::initializer_list<GbkStringView> values) {
    GbkString text(kHeader);
    bool first = true;
    for (const GbkStringView value : values) {
        if (!first) {
            text += kSeparator;
        }
        text += value;
        first = false;
    }
    return text;
}

} // namespace

GbkStringView filingValue(const MemberRecord& r) {
    return r.filingStatus == app::word::kOther ? r.filingNumber : r.filingStatus;
}

GbkStringView positionValue(const MemberRecord& r) {
    return r.position == app::word::kOther ? r.positionOther : r.position;
}

GbkStringView ethnicityValue(const MemberRecord& r) {
    return r.ethnicity == app::word::kOther ? r.ethnicityOther : r.ethnicity;
}

void appendNameSeparator(MemberRecord& record) {
    if (!record.surnameChinese.empty()) {
        record.surnameChinese += record.nameDot;
        record.surnamePinyin += record.nameDot;
    }
}

GbkString composeFileRecord(MemberRecord& record) {
    appendNameSeparator(record);
    const MemberRecord& r = record;
    return join({r.groupNumber,
                 r.personalSequence,
                 r.unitCode,
                 r.unitName,
                 r.surnameChinese,
                 r.givenNameChinese,
                 r.surnamePinyin,
                 r.givenNamePinyin,
                 r.sex,
                 r.idDocumentType,
                 r.idDocumentNumber,
                 r.birthPlace,
                 app::formatDate(r.birthDate),
                 r.workUnit,
                 r.position,
                 r.occupationCategory,
                 r.externalUnit,
                 r.externalIdentityNote,
                 r.externalIdentity,
                 r.heldPassportStatus,
                 r.heldPassportNumber,
                 r.photoNumber,
                 filingValue(r),
                 r.remarks,
                 app::formatDate(r.fillDate),
                 r.positionOther,
                 r.ethnicity,
                 r.ethnicityOther,
                 r.remarkCategory,
                 r.approvalKind,
                 r.approvalNumber});
}

GbkString composeBarcodeRecord(MemberRecord& record) {
    appendNameSeparator(record);
    const MemberRecord& r = record;
    return join({r.groupNumber,
                 r.personalSequence,
                 r.unitCode,
                 r.unitName,
                 r.surnameChinese,
                 r.givenNameChinese,
                 r.surnamePinyin,
                 r.givenNamePinyin,
                 r.sex,
                 r.idDocumentType,
                 r.idDocumentNumber,
                 r.birthPlace,
                 app::formatDate(r.birthDate),
                 r.workUnit,
                 positionValue(r),
                 r.occupationCategory,
                 r.externalUnit,
                 r.externalIdentityNote,
                 r.externalIdentity,
                 r.heldPassportStatus,
                 r.heldPassportNumber,
                 r.photoNumber,
                 filingValue(r),
                 r.remarks,
                 app::formatDate(r.fillDate),
                 ethnicityValue(r)});
}

std::string_view describe(ParseStatus status) {
    switch (status) {
    case ParseStatus::Ok:
        return "the record was read";
    case ParseStatus::NoHeader:
        return "the record text does not begin with \"groupMember|\"";
    case ParseStatus::TooFewValues:
        return "the record text holds fewer than 31 values";
    case ParseStatus::DamagedText:
        return "the record text holds a zero byte or bytes that are not GBK text";
    case ParseStatus::InvalidBirthDate:
        return "the birth date is not a calendar date";
    case ParseStatus::InvalidFillDate:
        return "the form date is not a calendar date";
    }
    return "unknown parse status";
}

bool holdsDamagedBytes(GbkStringView text) {
    return text.find('\0') != GbkStringView::npos || !app::isWellFormedGbk(text);
}

ParseStatus parseFileRecord(GbkStringView text, MemberRecord& record) {
    if (!text.starts_with(kHeader)) {
        return ParseStatus::NoHeader;
    }
    if (holdsDamagedBytes(text)) {
        return ParseStatus::DamagedText;
    }
    // Values 1..30 end at the next separator that is not the second byte of a double-byte
    // character; value 31 is everything after the 30th separator.
    std::vector<GbkStringView> values;
    values.reserve(kFileValueCount);
    std::size_t start = kHeader.size();
    while (values.size() + 1 < kFileValueCount) {
        const std::size_t end = app::findSingleByte(text, kSeparator, start);
        if (end == GbkStringView::npos) {
            return ParseStatus::TooFewValues;
        }
        values.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    values.push_back(text.substr(start));

    const auto birthDate = parseDate(values[12]);
    if (!birthDate) {
        return ParseStatus::InvalidBirthDate;
    }
    const auto fillDate = parseDate(values[24]);
    if (!fillDate) {
        return ParseStatus::InvalidFillDate;
    }

    MemberRecord r = record;
    r.groupNumber = values[0];
    r.personalSequence = values[1];
    r.unitCode = values[2];
    r.unitName = values[3];
    r.surnameChinese = values[4];
    r.givenNameChinese = values[5];
    r.surnamePinyin = values[6];
    r.givenNamePinyin = values[7];
    r.sex = values[8];
    r.idDocumentType = values[9];
    r.idDocumentNumber = values[10];
    r.birthPlace = values[11];
    r.birthDate = *birthDate;
    r.workUnit = values[13];
    r.position = values[14];
    r.occupationCategory = values[15];
    r.externalUnit = values[16];
    r.externalIdentityNote = values[17];
    r.externalIdentity = values[18];
    r.heldPassportStatus = values[19];
    r.heldPassportNumber = values[20];
    r.photoNumber = values[21];
    if (values[22] == app::word::kFiled) {
        r.filingStatus = app::word::kFiled;
    } else {
        r.filingNumber = values[22];
        r.filingStatus = app::word::kOther;
    }
    r.remarks = values[23];
    r.fillDate = *fillDate;
    r.positionOther = values[25];
    r.ethnicity = values[26];
    r.ethnicityOther = values[27];
    r.remarkCategory = values[28];
    r.approvalKind = values[29];
    r.approvalNumber = values[30];

    const GbkString delimited = "," + r.birthPlace + ",";
    r.birthPlaceScope = app::containsText(delimitedDomesticBirthPlaces(), delimited)
                            ? app::word::kAtHome
                            : app::word::kAbroad;
    r.externalIdentityNoteChoice = r.externalIdentityNote;

    record = std::move(r);
    return ParseStatus::Ok;
}

} // namespace parvelin::datafile
