#include "datafile/Validation.h"

#include "datafile/GroupNumber.h"
#include "datafile/RecordColumns.h"
#include "record/IdNumber.h"
#include "record/Vocabulary.h"

#include <array>

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
            return CheckFailure{message::kSeparatorInValue, edited, std::nullopt};
        }
    }
    return std::nullopt;
}

CheckFailure fail(std::string_view text, Field field,
                  std::optional<Field> otherField = std::nullopt) {
    return CheckFailure{text, field, otherField};
}

std::optional<CheckFailure> runChecks(MemberRecord& r, bool& groupNumberDrawn,
                                      const MemberRecord& asRead, const record::Clock& clock,
                                      const std::optional<StoredGroupNumber>& stored) {
    using namespace message;
    const auto empty = [](const GbkString& value) { return value.empty(); };

    if (empty(r.approvalNumber)) {
        return fail(kRequiredAscii, Field::approvalNumber);
    }
    if (empty(r.photoNumber)) {
        return fail(kRequiredAscii, Field::photoNumber);
    }
    GroupNumber group = groupNumberFor(r, stored, clock);
    r.groupNumber = std::move(group.text);
    groupNumberDrawn = group.drawn;
    if (record::characterCount(r.givenNameChinese) + record::characterCount(r.surnameChinese) >
        50) {
        return fail(kNameTooLong, Field::surnameChinese, Field::givenNameChinese);
    }
    if (record::characterCount(r.givenNamePinyin) + record::characterCount(r.surnamePinyin) > 50) {
        return fail(kNameTooLong, Field::surnamePinyin, Field::givenNamePinyin);
    }

    constexpr std::array kRequiredFields = {
        Field::unitCode,           Field::unitName,           Field::sex,
        Field::idDocumentType,     Field::birthPlace,         Field::workUnit,
        Field::personalSequence,   Field::occupationCategory, Field::position,
        Field::heldPassportStatus, Field::filingStatus,
    };
    for (const Field field : kRequiredFields) {
        if (empty(*record::textValue(r, field))) {
            return fail(kRequired, field);
        }
    }

    if (empty(r.surnameChinese) && empty(r.givenNameChinese)) {
        return fail(kRequired, Field::surnameChinese, Field::givenNameChinese);
    }
    if (empty(r.surnamePinyin) && empty(r.givenNamePinyin)) {
        return fail(kRequired, Field::surnamePinyin, Field::givenNamePinyin);
    }
    if (r.idDocumentType == record::word::kIdentityCard && empty(r.idDocumentNumber)) {
        return fail(kRequired, Field::idDocumentNumber);
    }
    if (r.heldPassportStatus != record::word::kNone && empty(r.heldPassportNumber)) {
        return fail(kRequired, Field::heldPassportNumber);
    }
    if (!isTwentyDigits(r.photoNumber)) {
        return fail(kPhotoNumber, Field::photoNumber);
    }
    if (!empty(r.heldPassportNumber) && r.heldPassportNumber.size() != 9) {
        return fail(kPassportNumber, Field::heldPassportNumber);
    }
    if (r.ethnicity == record::word::kOther && empty(r.ethnicityOther)) {
        return fail(kRequired, Field::ethnicity);
    }
    if (empty(r.ethnicity)) {
        return fail(kRequired, Field::ethnicity);
    }
    if (r.position == record::word::kOther && empty(r.positionOther)) {
        return fail(kRequired, Field::positionOther);
    }
    if (r.filingStatus == record::word::kOther && empty(r.filingNumber)) {
        return fail(kRequired, Field::filingNumber);
    }
    if (r.externalIdentityNote.find('*') != GbkString::npos) {
        return fail(kPlaceholderLeft, Field::externalIdentityNote);
    }
    // The identity number is judged as read from the form, before trimming: a number with a
    // stray blank is not 18 characters long.
    if (!record::idNumberLooksValid(asRead.idDocumentType, asRead.idDocumentNumber)) {
        return fail(kIdNumberInvalid, Field::idDocumentNumber);
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
    return CheckedRecord(std::move(checked), groupNumberDrawn);
}

} // namespace parvelin::datafile
