#pragma once

#include "record/MemberRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parvelin::datafile {

// Questions that Save asks about a record that passed the checks: values that are allowed but
// look wrong. Each is answered Yes (save all the same) or No (back to the field to correct it).
struct SaveQuestion {
    std::string text; // UTF-8, ending in "是否仍要保存？"
    record::Field field;

    bool operator==(const SaveQuestion&) const = default;
};

// How every such question ends.
inline constexpr std::string_view kSaveAnyway = "是否仍要保存？";

// A stored value as a question shows it (UTF-8; a byte GBK cannot read shows as a mark), and a
// text in the questions' quotation marks: “…”.
std::string shownInQuestion(record::GbkStringView value);
std::string quoted(std::string_view text);

// Whether a stored applicant is the one being saved: the same identity document number (see
// record::idNumberKey) and the same group number and personal sequence number.
bool sameApplicant(const record::MemberRecord& stored, const record::MemberRecord& checked);

// What the applicant's own values make doubtful, in the order they are asked: a group number
// that had to be drawn (`groupNumberDrawn`, see groupNumberFor); an identity card number with
// other characters than digits and a final X, or whose check character does not match; a birth
// date other than the one the number records, or later than the fill date; a sex other than the
// one the number records.
std::vector<SaveQuestion> applicantQuestions(const record::MemberRecord& checked,
                                             bool groupNumberDrawn);

} // namespace parvelin::datafile
