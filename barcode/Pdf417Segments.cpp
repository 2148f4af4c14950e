#include "barcode/Pdf417Segments.h"

#include <algorithm>

namespace parvelin::barcode {

namespace {

// A digit run this long or longer is worth the latch to numeric compaction and back.
constexpr int kNumericRunMinimum = 13;
// A payload of nothing but digits goes numeric from this length on.
constexpr int kAllDigitsMinimum = 8;
// Text segments of this length or more absorb lone bytes; shorter ones are absorbed by bytes.
constexpr int kLongText = 5;
// A lone byte joins the text around it when the two sides hold this many bytes together.
constexpr int kJoinedTextMinimum = 3;
// Most payloads make one segment; mixed ones a handful.
constexpr std::size_t kInitialSegmentCapacity = 20;

bool isDigit(std::uint8_t byte) {
    return byte >= '0' && byte <= '9';
}

// Printable ASCII and the three layout controls that text compaction carries.
bool isTextClass(std::uint8_t byte) {
    return (byte >= 0x20 && byte <= 0x7E) || byte == '\r' || byte == '\n' || byte == '\t';
}

// Appends the text and byte segments of payload[start, end), cut where the byte class changes.
void cutByClass(std::span<const std::uint8_t> payload, int start, int end,
                std::vector<Segment>& segments) {
    int segmentStart = start;
    for (int i = start + 1; i <= end; ++i) {
        if (i == end || isTextClass(payload[i]) != isTextClass(payload[i - 1])) {
            const bool text = isTextClass(payload[segmentStart]);
            segments.push_back({text ? SegmentType::Text : SegmentType::Byte, segmentStart, i});
            segmentStart = i;
        }
    }
}

// The segment list with the neighbour look-ups of the merge passes: an index outside the list is
// no segment, of no type and length 0.
class SegmentList {
public:
    explicit SegmentList(std::vector<Segment>& segments)
        : m_segments(segments) {}

    int size() const { return static_cast<int>(m_segments.size()); }
    bool is(int i, SegmentType type) const { return inside(i) && m_segments[i].type == type; }
    int length(int i) const { return inside(i) ? m_segments[i].length() : 0; }
    Segment& operator[](int i) { return m_segments[i]; }
    void erase(int i, int count = 1) {
        m_segments.erase(m_segments.begin() + i, m_segments.begin() + i + count);
    }

    // Segment i takes in its previous neighbour when `absorbable` says so, then its next one;
    // tells whether it absorbed anything.
    template <typename Absorbable>
    bool absorbNeighbours(int i, Absorbable absorbable) {
        bool absorbed = false;
        if (absorbable(i - 1)) {
            m_segments[i - 1].end = m_segments[i].end;
            m_segments[i - 1].type = m_segments[i].type;
            erase(i);
            --i;
            absorbed = true;
        }
        if (absorbable(i + 1)) {
            m_segments[i].end = m_segments[i + 1].end;
            erase(i + 1);
            absorbed = true;
        }
        return absorbed;
    }

private:
    bool inside(int i) const { return i >= 0 && i < size(); }

    std::vector<Segment>& m_segments;
};

// Each pass below is defined as "merge at the first place that qualifies, then walk again from
// the start of the list". A merge at index i only changes the neighbourhoods of indices i-2 and
// later, and every index before it was already found not to qualify, so the walk resumes at i-2
// and gives the same list without rescanning.
int resumeAt(int mergedAt) {
    return std::max(0, mergedAt - 2);
}

// Pass 1: a lone byte between two text segments joins them when they hold 3 or more bytes
// together.
void joinLoneBytes(SegmentList& list) {
    for (int i = 0; i < list.size();) {
        if (list.is(i, SegmentType::Byte) && list.length(i) == 1 &&
            list.is(i - 1, SegmentType::Text) && list.is(i + 1, SegmentType::Text) &&
            list.length(i - 1) + list.length(i + 1) >= kJoinedTextMinimum) {
            list[i - 1].end = list[i + 1].end;
            list.erase(i, 2);
            i = resumeAt(i);
        } else {
            ++i;
        }
    }
}

// Pass 2: long text absorbs neighbouring text and lone bytes.
void absorbIntoLongText(SegmentList& list) {
    const auto absorbable = [&list](int j) {
        return list.is(j, SegmentType::Text) ||
               (list.is(j, SegmentType::Byte) && list.length(j) == 1);
    };
    for (int i = 0; i < list.size();) {
        if (list.is(i, SegmentType::Text) && list.length(i) >= kLongText) {
            if (list.absorbNeighbours(i, absorbable)) {
                i = resumeAt(i);
                continue;
            }
        }
        ++i;
    }
}

// Pass 3: bytes absorb neighbouring bytes and short text.
void absorbIntoBytes(SegmentList& list) {
    const auto absorbable = [&list](int j) {
        return list.is(j, SegmentType::Byte) ||
               (list.is(j, SegmentType::Text) && list.length(j) < kLongText);
    };
    for (int i = 0; i < list.size();) {
        if (list.is(i, SegmentType::Byte)) {
            if (list.absorbNeighbours(i, absorbable)) {
                i = resumeAt(i);
                continue;
            }
        }
        ++i;
    }
}

} // namespace

std::vector<Segment> segmentPayload(std::span<const std::uint8_t> payload) {
    std::vector<Segment> segments;
    segments.reserve(kInitialSegmentCapacity);

    // Digit runs of 13 or more split the payload; the stretches around them go by byte class.
    const int size = static_cast<int>(payload.size());
    int stretchStart = 0;
    for (int i = 0; i < size;) {
        if (!isDigit(payload[i])) {
            ++i;
            continue;
        }
        int runEnd = i;
        while (runEnd < size && isDigit(payload[runEnd])) {
            ++runEnd;
        }
        if (runEnd - i >= kNumericRunMinimum) {
            cutByClass(payload, stretchStart, i, segments);
            segments.push_back({SegmentType::Numeric, i, runEnd});
            stretchStart = runEnd;
        }
        i = runEnd;
    }
    cutByClass(payload, stretchStart, size, segments);

    SegmentList list(segments);
    joinLoneBytes(list);
    absorbIntoLongText(list);
    absorbIntoBytes(list);

    // A payload of only digits is cheaper in numeric compaction from 8 digits on.
    if (segments.size() == 1 && segments[0].type == SegmentType::Text &&
        segments[0].length() >= kAllDigitsMinimum &&
        std::all_of(payload.begin(), payload.end(), isDigit)) {
        segments[0].type = SegmentType::Numeric;
    }
    return segments;
}

std::string segmentListing(std::span<const std::uint8_t> payload) {
    std::string listing;
    for (const Segment& segment : segmentPayload(payload)) {
        listing += static_cast<char>(segment.type);
        listing.append(reinterpret_cast<const char*>(payload.data()) + segment.start,
                       segment.length());
        listing += '\n';
    }
    return listing;
}

} // namespace parvelin::barcode
