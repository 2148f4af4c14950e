#pragma once

#include <optional>
#include <string_view>

namespace parvelin::record {

// The leading decimal number of a text read as the C runtime's atoi reads it: leading white space,
// an optional sign, then digits up to the first non-digit. std::nullopt when there are no digits.
// Values beyond the range of int saturate, as the runtime's conversion does.
std::optional<int> leadingNumber(std::string_view text);

// leadingNumber, with no digits read as 0 (atoi's answer).
inline int leadingNumberOrZero(std::string_view text) {
    return leadingNumber(text).value_or(0);
}

} // namespace parvelin::record
