#pragma once

#include "record/Clock.h"
#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <optional>

namespace parvelin::datafile {

// The group number of an applicant: unit code, the year between the brackets of the approval
// number, a kind digit ("0" for 批件, "1" otherwise) and the serial after the brackets up to
// "号". For 外字[2012]35号 of unit 000013012 that is 0000130122012035. Official documents write
// the brackets as 〔〕 (外字〔2026〕118号), some as full-width ［］; all three pairs count.
// std::nullopt when the approval number cannot be read this way.
std::optional<record::GbkString> groupNumberFromApproval(record::GbkStringView approvalNumber,
                                                         record::GbkStringView approvalKind,
                                                         record::GbkStringView unitCode);

// The number an unreadable approval number gets instead: unit code, current year, kind digit and
// a number 0..999 drawn from the clock's second.
record::GbkString provisionalGroupNumber(record::GbkStringView approvalKind,
                                         record::GbkStringView unitCode,
                                         const record::Clock& clock);

// The one or, failing that, the other.
record::GbkString deriveGroupNumber(record::GbkStringView approvalNumber,
                                    record::GbkStringView approvalKind,
                                    record::GbkStringView unitCode, const record::Clock& clock);

// A provisional number must not change each time its applicant is saved again: an applicant
// opened from a data file keeps the group number stored with it for as long as the approval
// number, kind and unit code it was stored with stay the same and still give none of their own.
struct StoredGroupNumber {
    record::GbkString approvalNumber;
    record::GbkString approvalKind;
    record::GbkString unitCode;
    record::GbkString groupNumber;

    static StoredGroupNumber of(const record::MemberRecord& opened);
};

struct GroupNumber {
    record::GbkString text;
    bool drawn = false; // provisional and new: the approval number gives none and none was kept
};

// The group number of a record whose values are trimmed as the checks trim them.
GroupNumber groupNumberFor(const record::MemberRecord& record,
                           const std::optional<StoredGroupNumber>& stored,
                           const record::Clock& clock);

} // namespace parvelin::datafile
