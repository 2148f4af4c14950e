#pragma once

#include "datafile/GroupNumber.h"
#include "record/Clock.h"
#include "record/MemberRecord.h"

#include <optional>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace parvelin::datafile {

// The messages of the checks, as the form shows them (UTF-8). Two spellings of the empty-field
// message exist: the approval and photo numbers end with an ASCII "!", all others with "！".
namespace message {
inline constexpr std::string_view kRequiredAscii = "必填项不能为空!";
inline constexpr std::string_view kRequired = "必填项不能为空！";
inline constexpr std::string_view kNameTooLong = "姓和名总长度不能大于50！";
inline constexpr std::string_view kPhotoNumber = "照片编号必须是20位数字";
inline constexpr std::string_view kPassportNumber = "护照号必须为9位";
inline constexpr std::string_view kPlaceholderLeft = "对外身份加注*号内容必须替换！";
inline constexpr std::string_view kIdNumberInvalid = "证件号码不合法！";
inline constexpr std::string_view kSeparatorInValue = "填写内容不能包含字符“|”！";
} // namespace message

// What a failed check found; the form acts on this, its message is for the operator only.
enum class CheckKind {
    Missing,         // a required value is empty: one message for every such field
    MissingNumber,   // the approval or the photo number is empty, checked before all else
    TooLong,         // the names together are too long
    WrongForm,       // a number is not as it must be written
    PlaceholderLeft, // the title's *** is not replaced
    Separator,       // a value holds the data file's separator
};

// The first check that failed: what it found, its message and the field (or the two fields) it
// concerns.
struct CheckFailure {
    CheckKind kind;
    std::string_view message;
    record::Field field;
    std::optional<record::Field> otherField;

    // Only the unreplaced-placeholder check moves the keyboard focus (to the title list).
    bool movesFocus() const { return kind == CheckKind::PlaceholderLeft; }

    bool operator==(const CheckFailure&) const = default;
};

struct UncheckedForTests;

// A record that has passed the checks: its values trimmed, its group number derived. Only the
// checks make one, so a function that takes it can rely on them (no "|" inside a value, every
// required value present) and needs no copy to protect the record it was given.
class CheckedRecord {
public:
    const record::MemberRecord& record() const { return m_record; }
    // The values the data file keeps: those of record(), except that a list value chosen with
    // blanks around it (an entry that a data file brought, shown as the file holds it) is kept as
    // chosen. Trimmed, it would reopen as another entry than the one the form showed.
    const record::MemberRecord& fileValues() const { return m_fileValues; }
    // The group number is provisional and new (see GroupNumber::drawn).
    bool groupNumberDrawn() const { return m_groupNumberDrawn; }

private:
    CheckedRecord(record::MemberRecord record, bool groupNumberDrawn)
        : m_record(record)
        , m_fileValues(std::move(record))
        , m_groupNumberDrawn(groupNumberDrawn) {}

    friend std::variant<CheckedRecord, CheckFailure>
    validateRecord(const record::MemberRecord&, const record::Clock&,
                   const std::optional<StoredGroupNumber>&);
    friend struct UncheckedForTests;

    record::MemberRecord m_record;
    record::MemberRecord m_fileValues;
    bool m_groupNumberDrawn = false;
};

using CheckResult = std::variant<CheckedRecord, CheckFailure>;

// The checks run before a record is stored or printed, on the values as read from the form. They
// trim the values, derive the group number from the approval number (an applicant opened from a
// data file may keep the one stored with it, see groupNumberFor) and run in a fixed order; the
// first that fails is returned, else the checked record. The record given is left as it is.
//
// Beyond the form's historic checks, a value that the data file stores must not contain "|":
// the record text has no escaping, so such a value would shift every later value on reading.
[[nodiscard]] CheckResult
validateRecord(const record::MemberRecord& record, const record::Clock& clock,
               const std::optional<StoredGroupNumber>& stored = std::nullopt);

// Every value the checks would find missing ("必填项不能为空"), trimmed as they trim: the field
// each is reported at (the surname of a name pair), in the order of the checks.
std::vector<record::Field> missingRequiredFields(const record::MemberRecord& record);

// The failure of a check result, or nullptr when the record passed.
inline const CheckFailure* failureOf(const CheckResult& result) {
    return std::get_if<CheckFailure>(&result);
}

} // namespace parvelin::datafile
