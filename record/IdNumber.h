#pragma once

#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <optional>

namespace parvelin::record {

// Whether an identity document number is plausible for its document type. Numbers of any type
// other than 身份证 are accepted. An identity card number of 18 or 15 characters must begin with
// a region code of the mainland, Hong Kong, Macao or Taiwan and embed a real birth date
// (characters 7..14 as yyyymmdd, or 7..12 as yymmdd of the 1900s). The check character is not
// examined.
bool idNumberLooksValid(GbkStringView documentType, GbkStringView documentNumber);

// The birth date that an identity card number proposes for the form: characters 7..14 (18-digit
// numbers) or 19 + characters 7..12 (15-digit numbers), when year, month and day pass the range
// test and name a real day. std::nullopt for any other number or document type, in which case the
// form keeps its birth date.
std::optional<CalendarDate> birthDateFromIdNumber(GbkStringView documentType,
                                                  GbkStringView documentNumber);

} // namespace parvelin::record
