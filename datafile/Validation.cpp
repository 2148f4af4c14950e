#include "datafile/Validation.h"

#include "datafile/GroupNumber.h"
#include "datafile/RecordColumns.h"
#include "record/IdNumber.h"
#include "record/Vocabulary.h"

#include <array>
#include <span>
#include <vector>

namespace parvelin::datafile {

namespace {

using record::Field;
using record::GbkString;
using record::MemberRecord;

// The values that the checks tidy; list values such as the birthplace or the approval kind are
// taken as chosen.
constexpr std::array kTrimmedFields = {
    Field::approvalNumber,
    Field::unitCode,
    Field::unitName,
    Field::idDocumentNumber,
    Field::workUnit,
    Field::personalSequence,
    Field::occupationCategory,
    Field::position,
    Field::surnameChinese,
    Field::givenNameChinese,
    Field::surnamePinyin,
    Field::givenNamePinyin,
    Field::heldPassportNumber,
    Field::filingNumber,
    Field::externalUnit,
    Field::externalIdentity,
    Field::photoNumber,
    Field::remarks,
    Field::sex,
    Field::positionOther,
    Field::ethnicity,
    Field::ethnicityOther,
    Field::heldPassportStatus,
    Field::filingStatus,
};

// The trimmed values that the form chooses from a list. Each list's own entries carry no blanks
// around them but the blank entry, which trimming empties.
constexpr std::array kTrimmedListFields = {
    Field::workUnit,  Field::occupationCategory, Field::position,     Field::sex,
    Field::ethnicity, Field::heldPassportStatus, Field::filingStatus,
};

void trimValues(MemberRecord& record) {
    for (const Field field : kTrimmedFields) {
        GbkString& value = *record::textValue(record, field);
        value = record::trimmed(value);
    }
}

bool isTwentyDigits(const GbkString& text) {
    if (text.size() != 20) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// A "|" inside a stored value would split it in two. The values are checked in the order of the
// file record; the group number is reported at the approval number it comes from, and the filing
// value through the field that holds it.
std::optional<CheckFailure> findSeparatorInValues(const MemberRecord& record) {
    const auto holdsSeparator = [&](Field field) {
        return record::findSingleByte(*record::textValue(record, field), '|') != GbkString::npos;
    };
    for (const RecordColumn& column : kFileColumns) {
        Field stored = column.field;
        switch (column.value) {
        case ColumnValue::Date:
            continue;
        case ColumnValue::Filing:
            if (record.filingStatus == record::word::kOther) {
                stored = Field::filingNumber;
            }
            break;
        case ColumnValue::Text:
        case ColumnValue::Surname:
            break;
        }
        if (holdsSeparator(stored)) {
            const Field edited = stored == Field::groupNumber ? Field::approvalNumber : stored;
            return CheckFailure{CheckKind::Separator, message::kSeparatorInValue, edited,
                                std::nullopt};
        }
    }
    return std::nullopt;
}

CheckFailure fail(CheckKind kind, std::string_view text, Field field,
                  std::optional<Field> otherField = std::nullopt) {
    return CheckFailure{kind, text, field, otherField};
}

bool empty(const GbkString& value) {
    return value.empty();
}

// A value the form requires ("必填项不能为空！"): the field reported (with the other of a pair that
// may be given either way) and when it counts as missing. The values are trimmed.
struct RequiredValue {
    Field field;
    std::optional<Field> otherField;
    bool (*missing)(const MemberRecord&);
};

template <Field field>
bool emptyValue(const MemberRecord& r) {
    return empty(*record::textValue(r, field));
}

// Checked after the lengths of the names, before the formats of the numbers.
constexpr RequiredValue kRequiredFirst[] = {
    {Field::unitCode, {}, emptyValue<Field::unitCode>},
    {Field::unitName, {}, emptyValue<Field::unitName>},
    {Field::sex, {}, emptyValue<Field::sex>},
    {Field::idDocumentType, {}, emptyValue<Field::idDocumentType>},
    {Field::birthPlace, {}, emptyValue<Field::birthPlace>},
    {Field::workUnit, {}, emptyValue<Field::workUnit>},
    {Field::personalSequence, {}, emptyValue<Field::personalSequence>},
    {Field::occupationCategory, {}, emptyValue<Field::occupationCategory>},
    {Field::position, {}, emptyValue<Field::position>},
    {Field::heldPassportStatus, {}, emptyValue<Field::heldPassportStatus>},
    {Field::filingStatus, {}, emptyValue<Field::filingStatus>},
    {Field::surnameChinese, Field::givenNameChinese,
     [](const MemberRecord& r) { return empty(r.surnameChinese) && empty(r.givenNameChinese); }},
    {Field::surnamePinyin, Field::givenNamePinyin,
     [](const MemberRecord& r) { return empty(r.surnamePinyin) && empty(r.givenNamePinyin); }},
    {Field::idDocumentNumber,
     {},
     [](const MemberRecord& r) {
         return r.idDocumentType == record::word::kIdentityCard && empty(r.idDocumentNumber);
     }},
    {Field::heldPassportNumber,
     {},
     [](const MemberRecord& r) {
         return r.heldPassportStatus != record::word::kNone && empty(r.heldPassportNumber);
     }},
};

// Checked after the formats of the numbers.
constexpr RequiredValue kRequiredLast[] = {
    {Field::ethnicity,
     {},
     [](const MemberRecord& r) {
         return (r.ethnicity == record::word::kOther && empty(r.ethnicityOther)) ||
                empty(r.ethnicity);
     }},
    {Field::positionOther,
     {},
     [](const MemberRecord& r) {
         return r.position == record::word::kOther && empty(r.positionOther);
     }},
    {Field::filingNumber,
     {},
     [](const MemberRecord& r) {
         return r.filingStatus == record::word::kOther && empty(r.filingNumber);
     }},
};

std::optional<CheckFailure> firstMissing(std::span<const RequiredValue> required,
                                         const MemberRecord& r) {
    for (const RequiredValue& value : required) {
        if (value.missing(r)) {
            return fail(CheckKind::Missing, message::kRequired, value.field, value.otherField);
        }
    }
    return std::nullopt;
}

std::optional<CheckFailure> runChecks(MemberRecord& r, bool& groupNumberDrawn,
                                      const MemberRecord& asRead, const record::Clock& clock,
                                      const std::optional<StoredGroupNumber>& stored) {
    using namespace message;
    if (empty(r.approvalNumber)) {
        return fail(CheckKind::MissingNumber, kRequiredAscii, Field::approvalNumber);
    }
    if (empty(r.photoNumber)) {
        return fail(CheckKind::MissingNumber, kRequiredAscii, Field::photoNumber);
    }
    GroupNumber group = groupNumberFor(r, stored, clock);
    r.groupNumber = std::move(group.text);
    groupNumberDrawn = group.drawn;
    if (record::characterCount(r.givenNameChinese) + record::characterCount(r.surnameChinese) >
        50) {
        return fail(CheckKind::TooLong, kNameTooLong, Field::surnameChinese,
                    Field::givenNameChinese);
    }
    if (record::characterCount(r.givenNamePinyin) + record::characterCount(r.surnamePinyin) > 50) {
        return fail(CheckKind::TooLong, kNameTooLong, Field::surnamePinyin, Field::givenNamePinyin);
    }
    if (auto missing = firstMissing(kRequiredFirst, r)) {
        return missing;
    }
    if (!isTwentyDigits(r.photoNumber)) {
        return fail(CheckKind::WrongForm, kPhotoNumber, Field::photoNumber);
    }
    if (!empty(r.heldPassportNumber) && r.heldPassportNumber.size() != 9) {
        return fail(CheckKind::WrongForm, kPassportNumber, Field::heldPassportNumber);
    }
    if (auto missing = firstMissing(kRequiredLast, r)) {
        return missing;
    }
    if (r.externalIdentityNote.find('*') != GbkString::npos) {
        return fail(CheckKind::PlaceholderLeft, kPlaceholderLeft, Field::externalIdentityNote);
    }
    // The identity number is judged as read from the form, before trimming: a number with a
    // stray blank is not 18 characters long.
    if (!record::idNumberLooksValid(asRead.idDocumentType, asRead.idDocumentNumber)) {
        return fail(CheckKind::WrongForm, kIdNumberInvalid, Field::idDocumentNumber);
    }
    return findSeparatorInValues(r);
}

} // namespace

CheckResult validateRecord(const MemberRecord& record, const record::Clock& clock,
                           const std::optional<StoredGroupNumber>& stored) {
    MemberRecord checked = record;
    trimValues(checked);
    bool groupNumberDrawn = false;
    if (auto failure = runChecks(checked, groupNumberDrawn, record, clock, stored)) {
        return *failure;
    }
    CheckedRecord result(std::move(checked), groupNumberDrawn);
    for (const Field field : kTrimmedListFields) {
        const GbkString& chosen = *record::textValue(record, field);
        if (!record::trimmed(chosen).empty()) {
            *record::textValue(result.m_fileValues, field) = chosen;
        }
    }
    return result;
}

std::vector<record::Field> missingRequiredFields(const MemberRecord& record) {
    MemberRecord trimmed = record;
    trimValues(trimmed);
    std::vector<Field> missing;
    if (empty(trimmed.approvalNumber)) {
        missing.push_back(Field::approvalNumber);
    }
    if (empty(trimmed.photoNumber)) {
        missing.push_back(Field::photoNumber);
    }
    for (const auto required : {std::span<const RequiredValue>(kRequiredFirst),
                                std::span<const RequiredValue>(kRequiredLast)}) {
        for (const RequiredValue& value : required) {
            if (value.missing(trimmed)) {
                missing.push_back(value.field);
            }
        }
    }
    return missing;
}

} // namespace parvelin::datafile
