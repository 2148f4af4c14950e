#pragma once

#include "applicants/ListedFile.h"
#include "datafile/SaveQuestions.h"
#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace parvelin::applicants {

// What Save asks about the files of the folder it writes into: the file it would replace, the
// other applicants there, and the file name that stays while the group number changes; and the
// sequence number the next applicant of a group takes there.

// An applicant stored in a folder beside others.
struct FolderApplicant {
    std::string fileName; // as the file system spells it, without the folder
    record::MemberRecord record;
};

// Every data file of a folder (a regular file named as isDataFileName says) that opens to a
// record, in name order. Files that are not data files or do not open are left out; a folder
// that cannot be read gives none.
std::vector<FolderApplicant> readFolderApplicants(const std::string& folder);

// Before Save writes over a file that is there already (`existing`, as fileAt reads it): the
// question (UTF-8) that says what would be lost, where the file holds another applicant or is no
// data file that opens; std::nullopt where it holds the applicant being saved.
std::optional<std::string> replaceQuestion(const ListedFile& existing,
                                           const record::MemberRecord& checked);

// What the other data files of the folder the record goes into say: one holds the same identity
// document number (see record::idNumberKey); one of the same group holds the same personal
// sequence number. The file being written (`targetName`) is not compared with itself. At most one
// question of each kind.
std::vector<datafile::SaveQuestion> folderQuestions(const record::MemberRecord& checked,
                                                    std::span<const FolderApplicant> folder,
                                                    std::string_view targetName);

// An opened applicant written back in place whose group number the checks derived anew (its
// approval number changed, or its file held a number that the approval number does not give):
// the file keeps its name, which Save never changes. std::nullopt when the number stays, or when
// the file held none.
std::optional<datafile::SaveQuestion>
groupNumberChangeQuestion(const record::MemberRecord& checked,
                          record::GbkStringView storedGroupNumber, std::string_view fileName);

// The personal sequence number for the next applicant of group `groupNumber`: one more than the
// largest number its files in the folder use (a sequence that is not a number counts as none);
// "1" for a group without files. std::nullopt once the group has used 9999, the largest number of
// four digits: any number proposed then would be one the group already has.
std::optional<std::string> nextPersonalSequence(std::span<const FolderApplicant> folder,
                                                std::string_view groupNumber);

} // namespace parvelin::applicants
