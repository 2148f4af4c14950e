#pragma once

#include "record/Clock.h"
#include "record/GbkText.h"

namespace parvelin::datafile {

// The group number of an applicant: unit code, the year between the brackets of the approval
// number, a kind digit ("0" for 批件, "1" otherwise) and the serial after the brackets up to
// "号". For 外字[2012]35号 of unit 000013012 that is 0000130122012035. An approval number that
// cannot be read this way gives unit code, current year, kind digit and a random number 0..999.
record::GbkString deriveGroupNumber(record::GbkStringView approvalNumber,
                                    record::GbkStringView approvalKind,
                                    record::GbkStringView unitCode, const record::Clock& clock);

} // namespace parvelin::datafile
