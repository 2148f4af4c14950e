#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace parvelin::barcode {

// The compaction mode of a stretch of the payload; the value is the letter of the listing.
enum class SegmentType : char {
    Text = 'T',    // text compaction
    Numeric = 'N', // numeric compaction
    Byte = 'B',    // byte compaction
};

// A stretch [start, end) of the payload and the compaction that encodes it.
struct Segment {
    SegmentType type;
    int start;
    int end;

    int length() const { return end - start; }
    bool operator==(const Segment&) const = default;
};

// Cuts a payload into compaction segments:
//  1. runs of 13 or more ASCII digits become numeric segments; the stretches around them are cut
//     into text and byte segments wherever the byte class changes (text: 0x20..0x7E, CR, LF, HT);
//  2. a lone byte between two text segments of 3 or more bytes together joins them as text;
//  3. a text segment of 5 or more bytes absorbs neighbouring text and lone bytes;
//  4. a byte segment absorbs neighbouring byte segments and text segments shorter than 5;
//  5. a payload that is one text segment of 8 or more digits becomes one numeric segment.
// Each merge pass repeats until nothing merges; numeric segments never merge.
std::vector<Segment> segmentPayload(std::span<const std::uint8_t> payload);

// The diagnostic listing of the payload's segments: one line per segment, its type letter
// followed by its bytes and a line feed. The encoder prints nothing; tools print this on request.
std::string segmentListing(std::span<const std::uint8_t> payload);

} // namespace parvelin::barcode
