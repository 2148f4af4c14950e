#pragma once

#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <optional>

namespace parvelin::input {

// The working states of the main form. Fresh: start-up, New, after a successful save (no file).
// Opened: a data file was opened; every input is disabled. Editing: Edit re-enabled the inputs.
enum class FormState { Fresh, Opened, Editing };

// The four boxes that are in use only while their lead list asks for them. The lead value is
// compared trimmed, as the checks compare it.
bool filingNumberInUse(record::GbkStringView filingStatus);             // "其他"
bool heldPassportNumberInUse(record::GbkStringView heldPassportStatus); // not "无", " " or empty
bool positionOtherInUse(record::GbkStringView position);                // "其他"
bool ethnicityOtherInUse(record::GbkStringView ethnicity);              // "其他"

// Whether the control of a field is enabled in a state. The unit code and name are never enabled;
// in the opened state nothing is; otherwise the four dependent boxes follow their lead lists (the
// values kept for a group's next applicant may ask for one) and everything else is on.
bool isEnabled(record::Field field, FormState state, const record::MemberRecord& record);

// The two "·" buttons follow the value controls.
bool dotButtonsEnabled(FormState state);

// The personal sequence number after the operator changed it: "0" becomes empty, and one leading
// zero is dropped, so typing can never produce a leading zero (a pasted "007" becomes "07").
record::GbkString personalSequenceAfterChange(record::GbkStringView value);

// What leaving the identity number box fills in: the birth date the number embeds (see
// record::birthDateFromIdNumber), and the sex it records where no sex is chosen yet. The record
// is changed only where the number gives a value.
void fillFromIdNumber(record::MemberRecord& record);

// The remarks after a remark category was chosen: the category, trimmed, replaces the remarks
// unless it is blank, in which case the remarks stay (std::nullopt).
std::optional<record::GbkString> remarksForCategory(record::GbkStringView category);

// The next applicant of the same group, when the clerk keeps the group's values: `fresh` (the
// record after New) with what the group shares taken from `saved` (the approval number and its
// kind, the work unit, the filing status and number, the fill date). Everything personal stays
// as `fresh` has it; the personal sequence is the caller's (see applicants::nextPersonalSequence).
record::MemberRecord withGroupOf(record::MemberRecord fresh, const record::MemberRecord& saved);

// Where the caret waits after a save, for the next applicant `next`: in 中文姓, where that
// applicant's own entries begin, when the group's values were kept (in 个人序号 when no number
// could be proposed there); in the first field, 出国任务批件号, when the form starts afresh.
record::Field firstFieldAfterSave(const record::MemberRecord& next, bool groupKept);

} // namespace parvelin::input
