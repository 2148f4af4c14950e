#pragma once

#include "app/Clock.h"
#include "app/GbkText.h"

namespace parvelin::datafile {

// The group number of an applicant: unit code, the year between the brackets of the approval
// number, a kind digit ("0" for 批件, "1" otherwise) and the serial after the brackets up to
// "号". For 外字[2012]35号 of unit 000013012 that is 0000130122012035. An approval number that
// cannot be read this way gives unit code, current year, kind digit and a random number 0..999.
app::GbkString deriveGroupNumber(app::GbkStringView approvalNumber, app::GbkStringView approvalKind,
                                 app::GbkStringView unitCode, const app::Clock& clock);

} // namespace parvelin::datafile
