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

// How an identity card number is written, beyond what idNumberLooksValid asks: digits only, the
// last of 18 characters being the check character that ISO 7064 MOD 11-2 gives for the 17 digits
// before it (GB 11643-1999), a digit or "X". Numbers of other document types are Unexamined.
enum class IdNumberForm { Unexamined, Consistent, NotDigits, CheckCharacterWrong };
IdNumberForm idNumberForm(GbkStringView documentType, GbkStringView documentNumber);

// The sex that an identity card number records in its sequence code: the 17th of 18 digits or
// the 15th of 15, odd for 男 and even for 女. std::nullopt for other numbers and document types.
std::optional<GbkStringView> sexFromIdNumber(GbkStringView documentType,
                                             GbkStringView documentNumber);

// What two identity document numbers are compared by (the same person in two files): the number
// trimmed, a final "x" of 18 characters as "X". "…002x" and "…002X" are one number.
GbkString idNumberKey(GbkStringView documentNumber);

} // namespace parvelin::record
