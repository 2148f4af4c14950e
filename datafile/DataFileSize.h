#pragma once

#include <cstddef>

namespace parvelin::datafile {

// How large a data file written by the form can be, so that reading can refuse anything larger
// before it deciphers a byte: a file of megabytes is never a data file, and showing its values
// would stall the program.

// The form's edit boxes without a byte cap of their own (the filing number, the other ethnicity,
// the four names of the identity editor) still stop typing at the edit limit of 32767
// characters, two GBK bytes at most each. Values loaded from a data file are not cut, but they
// came from a file that was no larger than the largest one.
inline constexpr std::size_t kEditBoxCharacterLimit = 32767;

// Every other value is shorter than this: the capped edit boxes (200 bytes at most), the entries
// of the form's lists, the dates and the group number.
inline constexpr std::size_t kOtherValueAllowance = 1024;

// The longest record text the form can produce: every value at its bound, the title completed
// with the longest names the identity editor takes, the separators and the header.
std::size_t largestRecordText();

// The size of that record text sealed into a data file: about 760 KB, nearly all of it the
// uncapped boxes; the capped values make up a few kilobytes.
std::size_t largestDataFile();

} // namespace parvelin::datafile
