#pragma once

#include "datafile/DataFileReader.h"
#include "datafile/ListedFile.h"
#include "record/MemberRecord.h"

#include <optional>
#include <span>
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

// Whether a stored applicant is the one being saved: the same identity document number (see
// record::idNumberKey) and the same group number and personal sequence number.
bool sameApplicant(const record::MemberRecord& stored, const record::MemberRecord& checked);

// Before Save writes over a file that is there already (`existing`, as fileAt reads it): the
// question (UTF-8) that says what would be lost, where the file holds another applicant or is no
// data file that opens; std::nullopt where it holds the applicant being saved.
std::optional<std::string> replaceQuestion(const ListedFile& existing,
                                           const record::MemberRecord& checked);

// What the applicant's own values make doubtful, in the order they are asked: a group number
// that had to be drawn (`groupNumberDrawn`, see groupNumberFor); an identity card number with
// other characters than digits and a final X, or whose check character does not match; a birth
// date other than the one the number records, or later than the fill date; a sex other than the
// one the number records.
std::vector<SaveQuestion> applicantQuestions(const record::MemberRecord& checked,
                                             bool groupNumberDrawn);

// What the other data files of the folder the record goes into say: one holds the same identity
// document number (see record::idNumberKey); one of the same group holds the same personal
// sequence number. The file being written (`targetName`) is not compared with itself. At most one
// question of each kind.
std::vector<SaveQuestion> folderQuestions(const record::MemberRecord& checked,
                                          std::span<const FolderApplicant> folder,
                                          std::string_view targetName);

// An opened applicant written back in place whose group number the checks derived anew (its
// approval number changed, or its file held a number that the approval number does not give):
// the file keeps its name, which Save never changes. std::nullopt when the number stays, or when
// the file held none.
std::optional<SaveQuestion> groupNumberChangeQuestion(const record::MemberRecord& checked,
                                                      record::GbkStringView storedGroupNumber,
                                                      std::string_view fileName);

// The personal sequence number for the next applicant of group `groupNumber`: one more than the
// largest number its files in the folder use (a sequence that is not a number counts as none);
// "1" for a group without files. std::nullopt once the group has used 9999, the largest number of
// four digits: any number proposed then would be one the group already has.
std::optional<std::string> nextPersonalSequence(std::span<const FolderApplicant> folder,
                                                std::string_view groupNumber);

} // namespace parvelin::datafile
