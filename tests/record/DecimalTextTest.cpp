#include "record/DecimalText.h"

#include <climits>

#include <gtest/gtest.h>

namespace parvelin::record {
namespace {

TEST(DecimalText, LeadingNumberReadsAsTheRuntimeReadsIt) {
    struct Case {
        std::string_view text;
        std::optional<int> expected;
        const char* why;
    };
    const Case cases[] = {
        {"2012", 2012, "digits"},
        {"35号", 35, "stops at the first non-digit"},
        {"  \t-7x", -7, "white space and a sign"},
        {"+0", 0, "zero"},
        {"0012", 12, "leading zeros"},
        {"", std::nullopt, "empty"},
        {"x1", std::nullopt, "no leading digits"},
        {"-", std::nullopt, "a sign alone"},
        {"99999999999", INT_MAX, "saturates"},
        {"-99999999999", INT_MIN, "saturates below"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(leadingNumber(c.text), c.expected);
    }
    EXPECT_EQ(leadingNumberOrZero("abc"), 0);
}

} // namespace
} // namespace parvelin::record
