#include "record/DecimalText.h"

#include "record/GbkText.h"

#include <climits>

namespace parvelin::record {

std::optional<int> leadingNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(kWhiteSpace);
    if (i == std::string_view::npos) {
        return std::nullopt;
    }
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    bool anyDigit = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        anyDigit = true;
        if (value <= INT_MAX) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

} // namespace parvelin::record
