#pragma once

#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <cstddef>
#include <optional>

namespace parvelin::input {

// Input limits of the form's edit boxes. The byte cap counts GBK bytes (a Chinese character is
// 2) and stops typing and pasting; the character cap counts characters (characterCount) and stops
// typing only. Values set from the record, such as those a data file supplies, are not cut.

// The byte cap set on a field's edit box while the form initialises; none for fields without.
std::optional<std::size_t> byteCap(record::Field field);

// The character cap that the key filter enforces while the operator types; none for the others.
std::optional<std::size_t> characterCap(record::Field field);

// The other-position box gets its cap of 50 bytes from the exchange into the controls, and the
// exchange from the controls refuses a longer value.
inline constexpr std::size_t kPositionOtherByteCap = 50;
bool exceedsPositionOtherCap(record::GbkStringView positionOther);

// The remarks box is the form's one box of several lines. The page's 备注 cell shows two lines of
// the values font and frames a third as cut, so the box takes as many: typing, pasting and Enter
// stop at the cap. Every other box is one line, and Enter there moves on.
inline constexpr std::size_t kRemarksLineCap = 2;
std::optional<std::size_t> lineCap(record::Field field);

// Whether an edit of a capped box is admitted: a text within the cap always is; a text over the
// cap (one that came from a data file) may shrink or stay as long, but never grow. The same for
// bytes and for lines.
bool admitsEdit(std::size_t bytesBefore, std::size_t bytesAfter, std::optional<std::size_t> cap);

} // namespace parvelin::input
