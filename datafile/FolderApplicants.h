#pragma once

#include "record/MemberRecord.h"

#include <string>
#include <vector>

namespace parvelin::datafile {

// An applicant stored in a folder beside others.
struct FolderApplicant {
    std::string fileName; // as the file system spells it, without the folder
    record::MemberRecord record;
};

// Every data file of a folder (a regular file whose name ends in ".zbdw") that opens to a
// record, in name order. Files that are not data files or do not open are left out; a folder
// that cannot be read gives none.
std::vector<FolderApplicant> readFolderApplicants(const std::string& folder);

} // namespace parvelin::datafile
