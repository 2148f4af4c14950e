// Segmentation of the payload into text, numeric and byte compaction.

#include "barcode/Pdf417Segments.h"

#include "record/GbkText.h"

#include <gtest/gtest.h>

namespace parvelin::barcode {
namespace {

using namespace std::string_literals;

struct ListingCase {
    std::string payload;
    std::string listing;
    std::string why;
};

TEST(Pdf417Segments, ListingOfEachRule) {
    const ListingCase cases[] = {
        // Digit runs.
        {"ABC1234567890123DEF", "TABC\nN1234567890123\nTDEF\n",
         "13 digits inside text are their own numeric segment"},
        {"ABC123456789012DEF", "TABC123456789012DEF\n", "12 digits stay in the text"},
        {"1234567890123", "N1234567890123\n", "13 digits alone"},
        {"\x80"s + "12345678901234" + "\x81", "B\x80\nN12345678901234\nB\x81\n",
         "numeric segments never merge, not even with bytes on both sides"},
        // The all-digits rule.
        {"12345678", "N12345678\n", "8 digits alone are numeric"},
        {"123456789012", "N123456789012\n", "12 digits alone are numeric"},
        {"1234567", "T1234567\n", "7 digits alone stay text"},
        {"12345678\x80"s, "T12345678\x80\n", "digits and a byte are not all digits"},
        // Byte class.
        {"A\r\n\tB", "TA\r\n\tB\n", "CR, LF and HT are text"},
        {"ABCDE\x01\x7F\x80\xFF", "TABCDE\nB\x01\x7F\x80\xFF\n",
         "controls, DEL and high bytes are bytes"},
        // First pass: a lone byte between text.
        {"a\x80"
         "bc",
         "Ta\x80"
         "bc\n",
         "lone byte between text of 1 and 2 joins the text"},
        {"a\x80"
         "b",
         "Ba\x80"
         "b\n",
         "lone byte between text of 1 and 1 stays bytes and absorbs both"},
        {"a\x80"
         "a\x80"
         "ab",
         "Ta\x80"
         "a\x80"
         "ab\n",
         "after a join the walk starts again: the first byte joins the longer text"},
        {"ab\x80\x81"
         "cd",
         "Bab\x80\x81"
         "cd\n",
         "two bytes are not a lone byte"},
        // Second pass: long text absorbs.
        {"Hello\x80", "THello\x80\n", "text of 5 absorbs a lone byte after it"},
        {"\x80Hello", "T\x80Hello\n", "and before it"},
        {"Hell\x80", "BHell\x80\n", "text of 4 is absorbed by the byte instead"},
        {"abcde\x80\x81", "Tabcde\nB\x80\x81\n", "text of 5 does not absorb two bytes"},
        {"abcde\x80"
         "fg\x81\x82",
         "Tabcde\x80"
         "fg\nB\x81\x82\n",
         "the joined text of 8 keeps the bytes after it apart"},
        // Third pass: bytes absorb.
        {"\x80\x81"
         "abcd\x82\x83",
         "B\x80\x81"
         "abcd\x82\x83\n",
         "bytes absorb short text and the bytes after it"},
        {"\x80\x81"
         "abcde\x82\x83",
         "B\x80\x81\nTabcde\nB\x82\x83\n", "text of 5 stands between bytes"},
        {"", "", "an empty payload has no segments"},
    };
    for (const ListingCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(segmentListing(record::asBytes(c.payload)), c.listing);
    }
}

TEST(Pdf417Segments, LongAlternatingPayloadEndsInOneSegment) {
    // Text of 1 between lone bytes, ending in text of 2: the last byte joins first, and each
    // join makes the text long enough for the byte before it.
    std::string payload;
    for (int i = 0; i < 1800; ++i) {
        payload += "a\x80";
    }
    payload += "ab";
    const std::vector<Segment> segments = segmentPayload(record::asBytes(payload));
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0], (Segment{SegmentType::Text, 0, static_cast<int>(payload.size())}));
}

} // namespace
} // namespace parvelin::barcode
