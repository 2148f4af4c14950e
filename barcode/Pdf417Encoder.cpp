#include "barcode/Pdf417Encoder.h"

#include "barcode/Pdf417Compaction.h"
#include "barcode/Pdf417Patterns.h"
#include "barcode/Pdf417Segments.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace parvelin::barcode {

namespace {

// Fills the cells after the data up to the end of the last row.
constexpr int kPad = 900;

// ISO/IEC 15438 symbol limits.
constexpr int kMinColumns = 1;
constexpr int kMaxColumns = 30;
constexpr int kMinRows = 3;
constexpr int kMaxRows = 90;

// Row indicators and the start and stop patterns around the data columns.
constexpr int kOverheadModules =
    kStartModules + 2 * kCodewordModules + kStopModules; // 17 + 17 + 17 + 18 = 69

// Error-correction levels by data count; above the last bound, kLevelAboveBounds.
struct LevelBound {
    int maxDataCount;
    int level;
};
constexpr LevelBound kLevelBounds[] = {{40, 2}, {160, 3}, {320, 4}};
constexpr int kLevelAboveBounds = 5;

int rowsFor(int totalCodewords, int columns) {
    return std::max(kMinRows, (totalCodewords - 1) / columns + 1);
}

bool withinLimits(int totalCodewords, int columns) {
    if (columns < kMinColumns || columns > kMaxColumns) {
        return false;
    }
    const int rows = rowsFor(totalCodewords, columns);
    return rows <= kMaxRows && rows * columns <= kMaxCodewords;
}

// Writes modules into one matrix row, most significant bit first.
class RowWriter {
public:
    explicit RowWriter(std::uint8_t* row)
        : m_next(row) {}

    void put(std::uint32_t pattern, int modules) {
        m_bits = m_bits << modules | pattern;
        m_count += modules;
        while (m_count >= 8) {
            m_count -= 8;
            *m_next++ = static_cast<std::uint8_t>(m_bits >> m_count);
        }
    }
    // The last byte's remaining bits are filler, left 0.
    void finish() {
        if (m_count > 0) {
            *m_next++ = static_cast<std::uint8_t>(m_bits << (8 - m_count));
        }
    }

private:
    std::uint8_t* m_next;
    std::uint64_t m_bits = 0;
    int m_count = 0;
};

// Left and right row indicators (ISO/IEC 15438): they carry the row count, the column count and
// the error-correction level, one of the three in each indicator by row cluster.
struct RowIndicators {
    int left;
    int right;
};

RowIndicators rowIndicators(int row, int rows, int columns, int level) {
    const int base = 30 * (row / 3);
    const int rowsPart = base + (rows - 1) / 3;
    const int levelPart = base + 3 * level + (rows - 1) % 3;
    const int columnsPart = base + columns - 1;
    switch (row % 3) {
    case 0:
        return {rowsPart, columnsPart};
    case 1:
        return {levelPart, rowsPart};
    default:
        return {columnsPart, levelPart};
    }
}

void drawMatrix(Pdf417Symbol& symbol) {
    symbol.moduleColumns = kCodewordModules * symbol.dataColumns + kOverheadModules;
    symbol.rowBytes = (symbol.moduleColumns - 1) / 8 + 1;
    symbol.matrixBytes = symbol.rowBytes * symbol.rows;
    symbol.matrix.assign(static_cast<std::size_t>(symbol.matrixBytes), 0);
    const std::int32_t* codeword = symbol.codewords.data();
    for (int row = 0; row < symbol.rows; ++row) {
        const auto& patterns = kCodewordPatterns[row % kClusterCount];
        const RowIndicators indicators =
            rowIndicators(row, symbol.rows, symbol.dataColumns, symbol.eccLevel);
        RowWriter writer(symbol.matrix.data() + static_cast<std::size_t>(row) * symbol.rowBytes);
        writer.put(kStartPattern, kStartModules);
        writer.put(patterns[indicators.left], kCodewordModules);
        for (int column = 0; column < symbol.dataColumns; ++column) {
            writer.put(patterns[*codeword++], kCodewordModules);
        }
        writer.put(patterns[indicators.right], kCodewordModules);
        writer.put(kStopPattern, kStopModules);
        writer.finish();
    }
}

bool hasOption(Pdf417Options options, Pdf417Options option) {
    return (static_cast<std::uint32_t>(options) & static_cast<std::uint32_t>(option)) != 0;
}

// Writes the data codewords of every segment from cell 1; gives the data count D (descriptor
// cell included), or 0 when they do not fit.
int assembleData(std::span<const std::uint8_t> text,
                 std::array<std::int32_t, kMaxCodewords>& cells) {
    int position = 1; // cell 0 is the symbol length descriptor
    const std::vector<Segment> segments = segmentPayload(text);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment& segment = segments[i];
        const auto bytes = text.subspan(segment.start, segment.length());
        int (*compact)(std::span<const std::uint8_t>, std::span<std::int32_t>) = nullptr;
        switch (segment.type) {
        case SegmentType::Text:
            // Text compaction is where a symbol starts; only a later text segment latches.
            if (i != 0) {
                cells[position++] = kLatchToText;
            }
            compact = compactText;
            break;
        case SegmentType::Numeric:
            cells[position++] = kLatchToNumeric;
            compact = compactNumeric;
            break;
        case SegmentType::Byte:
            cells[position++] = segment.length() % 6 == 0 ? kLatchToByteMultiple6 : kLatchToByte;
            compact = compactBytes;
            break;
        }
        const int room = std::max(0, kMaxDataCodewords - position);
        const int count = compact(bytes, std::span(cells).subspan(position, room));
        if (count > room) {
            return 0;
        }
        position += count;
    }
    return position;
}

} // namespace

int errorCorrectionLevel(int dataCount) {
    int level = kLevelAboveBounds;
    for (const LevelBound& bound : kLevelBounds) {
        if (dataCount <= bound.maxDataCount) {
            level = bound.level;
            break;
        }
    }
    int cap = 0;
    for (int m = kMaxEccLevel; m >= 1; --m) {
        if (eccCodewordCount(m) <= kMaxCodewords - dataCount) {
            cap = m;
            break;
        }
    }
    return std::min(level, cap);
}

int dataColumnsFor(int totalCodewords, float aspectRatio, float rowHeight) {
    if (!(aspectRatio > 0) || !(rowHeight > 0) || totalCodewords < 1 ||
        totalCodewords > kMaxCodewords) {
        throw std::invalid_argument("PDF417 shape: aspect ratio, row height or size out of range");
    }
    // The positive root of 17a·c² + b·c - rowHeight·T = 0 with b = 73a - 4.
    const double a = aspectRatio;
    const double b = 73.0 * a - 4.0;
    const double root = std::sqrt(b * b + 68.0 * a * rowHeight * totalCodewords);
    const double formula = std::floor((root - b) / (34.0 * a) + 0.5);
    // Other aspect ratios can leave the standard's limits: take the nearest count within them.
    // Some count always is (16 columns hold 928 cells in 58 rows).
    const int ideal = static_cast<int>(std::clamp<double>(formula, kMinColumns, kMaxColumns));
    for (int distance = 0; distance < kMaxColumns; ++distance) {
        for (const int columns : {ideal - distance, ideal + distance}) {
            if (withinLimits(totalCodewords, columns)) {
                return columns;
            }
        }
    }
    throw std::logic_error("PDF417 shape: no column count within the limits");
}

DrawStatus Pdf417Encoder::encode(Pdf417Symbol& symbol) const {
    symbol.status = DrawStatus::Ok;
    symbol.matrix.clear();
    symbol.matrixBytes = symbol.rowBytes = symbol.moduleColumns = 0;
    symbol.rows = symbol.dataColumns = symbol.eccLevel = symbol.dataCount = 0;
    symbol.codewordCount = 0;
    if (symbol.text.size() > static_cast<std::size_t>(kMaxPayloadBytes)) {
        return symbol.status = DrawStatus::PayloadTooLong;
    }
    std::array<std::int32_t, kMaxCodewords>& cells = symbol.codewords;
    const int dataCount = assembleData(symbol.text, cells);
    if (dataCount == 0) {
        return symbol.status = DrawStatus::PayloadTooLong;
    }

    // Level, shape and pads: the last row is filled with 900, and the length descriptor counts
    // the pads with the data.
    const int level = errorCorrectionLevel(dataCount);
    const int eccCount = eccCodewordCount(level);
    const int total = dataCount + eccCount;
    const int columns = dataColumnsFor(total, symbol.aspectRatio, symbol.rowHeight);
    const int rows = rowsFor(total, columns);
    const int cellCount = rows * columns;
    const int padded = cellCount - eccCount;
    std::fill(cells.begin() + dataCount, cells.begin() + padded, kPad);
    cells[0] = padded;
    computeErrorCorrection(std::span(cells).first(padded), level,
                           std::span(cells).subspan(padded, eccCount));

    symbol.dataCount = dataCount;
    symbol.eccLevel = level;
    symbol.dataColumns = columns;
    symbol.rows = rows;
    symbol.codewordCount = cellCount;
    drawMatrix(symbol);
    if (hasOption(symbol.options, Pdf417Options::Invert)) {
        for (std::uint8_t& byte : symbol.matrix) {
            byte = static_cast<std::uint8_t>(~byte);
        }
    }
    return symbol.status;
}

} // namespace parvelin::barcode
