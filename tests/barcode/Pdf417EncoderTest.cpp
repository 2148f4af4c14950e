// The whole encoder: assembly, level, shape, pads, error correction and the matrix.

#include "barcode/Pdf417Encoder.h"

#include "barcode/Pdf417Compaction.h"
#include "tests/barcode/SymbolSupport.h"

#include <string>

#include <gtest/gtest.h>

namespace parvelin::barcode {
namespace {

using test::encodePayload;

// Capitals pack two to a codeword, so n of them give D = 1 + ceil(n / 2).
std::string capitalsForDataCount(int dataCount) {
    return std::string(2 * (dataCount - 1), 'A');
}

std::string bytesOfLength(int length) {
    std::string bytes;
    for (int i = 0; i < length; ++i) {
        bytes += static_cast<char>(0x80 + i % 128);
    }
    return bytes;
}

TEST(Pdf417Encoder, ErrorCorrectionLevelByDataCount) {
    const struct {
        int dataCount, level;
        const char* why;
    } cases[] = {
        {2, 2, "smallest payload"},         {40, 2, "last of level 2"},
        {41, 3, "first of level 3"},        {160, 3, "last of level 3"},
        {161, 4, "first of level 4"},       {320, 4, "last of level 4"},
        {321, 5, "first of level 5"},       {864, 5, "64 codewords still fit beside the data"},
        {865, 4, "capped: 63 cells left"},  {925, 0, "capped: 3 cells left"},
        {926, 0, "the largest data count"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string payload = capitalsForDataCount(c.dataCount);
        const Pdf417Symbol symbol = encodePayload(payload);
        ASSERT_EQ(symbol.status, DrawStatus::Ok);
        EXPECT_EQ(symbol.dataCount, c.dataCount);
        EXPECT_EQ(symbol.eccLevel, c.level);
    }
}

TEST(Pdf417Encoder, ShapeAndPadsOfTheWorkedExamples) {
    const struct {
        std::string payload;
        int dataCount, level, columns, rows, pads;
        const char* why;
    } cases[] = {
        {"A", 2, 2, 1, 10, 0, "one capital: T = 10"},
        {capitalsForDataCount(120), 120, 3, 5, 28, 4, "D = 120: T = 136 in 5 columns"},
        {capitalsForDataCount(800), 800, 5, 16, 54, 0, "D = 800: T = 864 fills 54 rows"},
        {capitalsForDataCount(926), 926, 0, 16, 58, 0, "D = 926: all 928 cells"},
        {"", 1, 2, 1, 9, 0, "an empty payload holds only the length descriptor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const Pdf417Symbol symbol = encodePayload(c.payload);
        ASSERT_EQ(symbol.status, DrawStatus::Ok);
        EXPECT_EQ(symbol.dataCount, c.dataCount);
        EXPECT_EQ(symbol.eccLevel, c.level);
        EXPECT_EQ(symbol.dataColumns, c.columns);
        EXPECT_EQ(symbol.rows, c.rows);
        EXPECT_EQ(symbol.codewordCount, c.columns * c.rows);
        // The length descriptor counts data and pads; the pads are 900.
        EXPECT_EQ(symbol.codewords[0], c.dataCount + c.pads);
        for (int i = c.dataCount; i < c.dataCount + c.pads; ++i) {
            EXPECT_EQ(symbol.codewords[i], 900) << i;
        }
    }
}

TEST(Pdf417Encoder, ColumnCountFollowsTheTotalAsTabulated) {
    // The largest T for 1, 2, ... 16 columns at aspect ratio 0.5 and row height 3.
    const int lastTotal[] = {22,  44,  72,  106, 145, 190, 240, 296,
                             358, 426, 499, 578, 662, 752, 848, 928};
    int columns = 1;
    for (int total = 1; total <= 928; ++total) {
        if (total > lastTotal[columns - 1]) {
            ++columns;
        }
        SCOPED_TRACE(total);
        ASSERT_EQ(dataColumnsFor(total, 0.5f, 3.0f), columns);
        const int rows = (total - 1) / columns + 1;
        if (total >= 10) {
            EXPECT_GE(rows, 10);
            EXPECT_LE(rows, 58);
        }
        EXPECT_LT(rows * columns - total, columns) << "fewer pads than columns";
    }
}

TEST(Pdf417Encoder, OtherAspectRatiosStayWithinTheStandardsLimits) {
    for (const float aspectRatio : {0.01f, 0.1f, 2.0f, 100.0f}) {
        for (int total = 9; total <= 928; ++total) {
            SCOPED_TRACE(std::to_string(aspectRatio) + " " + std::to_string(total));
            const int columns = dataColumnsFor(total, aspectRatio, 3.0f);
            ASSERT_GE(columns, 1);
            ASSERT_LE(columns, 30);
            const int rows = std::max(3, (total - 1) / columns + 1);
            ASSERT_LE(rows, 90);
            ASSERT_LE(rows * columns, 928);
        }
    }
    EXPECT_THROW(static_cast<void>(dataColumnsFor(100, 0.0f, 3.0f)), std::invalid_argument);
}

TEST(Pdf417Encoder, LengthAndCapacityLimits) {
    const struct {
        std::string payload;
        DrawStatus status;
        const char* why;
    } cases[] = {
        {std::string(5421, 'A'), DrawStatus::PayloadTooLong, "5421 bytes fail the length test"},
        {std::string(5420, 'A'), DrawStatus::PayloadTooLong,
         "5420 bytes pass the length test but need 2711 codewords"},
        {std::string(1850, 'A'), DrawStatus::Ok, "1850 capitals: D = 926"},
        {std::string(1851, 'A'), DrawStatus::PayloadTooLong, "1851 capitals: D = 927"},
        {std::string(2710, '7'), DrawStatus::Ok, "2710 digits: 902, 61 × 15 + 9 codewords"},
        {std::string(2711, '7'), DrawStatus::PayloadTooLong, "2711 digits need one more"},
        {bytesOfLength(1108), DrawStatus::Ok, "1108 bytes: 901, 184 × 5 + 4 codewords"},
        {bytesOfLength(1109), DrawStatus::PayloadTooLong, "1109 bytes need one more"},
        {std::string(1848, 'A') + "\x80\x81\x82", DrawStatus::PayloadTooLong,
         "the segment that does not fit stops the assembly"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const Pdf417Symbol symbol = encodePayload(c.payload);
        EXPECT_EQ(symbol.status, c.status);
        if (c.status == DrawStatus::Ok) {
            EXPECT_EQ(symbol.dataCount, 926);
        } else {
            EXPECT_TRUE(symbol.matrix.empty()) << "no matrix for a refused payload";
            EXPECT_EQ(symbol.matrixBytes, 0);
        }
    }
}

TEST(Pdf417Encoder, SegmentsAreIntroducedByTheirModeCodewords) {
    const struct {
        std::string payload;
        std::vector<std::pair<int, std::int32_t>> cells; // index, codeword
        int dataCount;
        const char* why;
    } cases[] = {
        {"AB", {{1, 1}}, 2, "text is where a symbol starts: no latch"},
        {"1234567890123", {{1, kLatchToNumeric}}, 7, "numeric: 902 and 13 / 3 + 1 codewords"},
        {"AB1234567890123", {{1, 1}, {2, kLatchToNumeric}}, 8, "text, then numeric"},
        {"1234567890123ab",
         {{1, kLatchToNumeric}, {7, kLatchToText}, {8, 810}, {9, 59}},
         10,
         "a later text segment latches with 900"},
        {"\x80\x81\x82\x83\x84\x85", {{1, kLatchToByteMultiple6}}, 7, "6 bytes: 924 and 5"},
        {"\x80\x81\x82\x83\x84\x85\x86", {{1, kLatchToByte}, {7, 0x86}}, 8, "7 bytes: 901, 5 + 1"},
        {"\x80\x81"
         "abcdefg",
         {{1, kLatchToByte}, {2, 0x80}, {3, 0x81}, {4, kLatchToText}},
         9,
         "bytes, then text: 900 and 4 codewords of text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const Pdf417Symbol symbol = encodePayload(c.payload);
        ASSERT_EQ(symbol.status, DrawStatus::Ok);
        EXPECT_EQ(symbol.dataCount, c.dataCount);
        for (const auto& [index, codeword] : c.cells) {
            EXPECT_EQ(symbol.codewords[index], codeword) << "cell " << index;
        }
    }
}

// Payloads of every kind and size for the structural checks below.
std::vector<std::string> structurePayloads() {
    return {"A",
            "",
            capitalsForDataCount(120),
            "Mixed text 1234567890123 \x80\x81 and bytes",
            bytesOfLength(300),
            std::string(2710, '3'),
            capitalsForDataCount(926)};
}

TEST(Pdf417Encoder, ErrorCorrectionOfTheFinishedSymbol) {
    for (const std::string& payload : structurePayloads()) {
        SCOPED_TRACE(payload.size());
        const Pdf417Symbol symbol = encodePayload(payload);
        ASSERT_EQ(symbol.status, DrawStatus::Ok);
        EXPECT_TRUE(test::syndromesVanish(std::span(symbol.codewords).first(symbol.codewordCount),
                                          eccCodewordCount(symbol.eccLevel)));
    }
}

TEST(Pdf417Encoder, EveryRowIsStartIndicatorsCodewordsAndStop) {
    for (const std::string& payload : structurePayloads()) {
        SCOPED_TRACE(payload.size());
        const Pdf417Symbol s = encodePayload(payload);
        ASSERT_EQ(s.status, DrawStatus::Ok);
        const int n = s.dataColumns;
        ASSERT_EQ(s.moduleColumns, 17 * n + 69);
        ASSERT_EQ(s.rowBytes, (s.moduleColumns + 7) / 8);
        ASSERT_EQ(s.matrixBytes, s.rowBytes * s.rows);
        ASSERT_EQ(static_cast<int>(s.matrix.size()), s.matrixBytes);
        // What a reader learns from the row indicators (ISO/IEC 15438): the rows of every group
        // of three tell (rows - 1) div 3, 3 × level + (rows - 1) mod 3 and columns - 1.
        int rowsDiv3 = -1, rowsMod3 = -1, level = -1;
        for (int row = 0; row < s.rows; ++row) {
            SCOPED_TRACE(row);
            ASSERT_EQ(test::moduleRun(s, row, 0, 17), kStartPattern);
            ASSERT_EQ(test::moduleRun(s, row, s.moduleColumns - 18, 18), kStopPattern);
            const auto left = test::codewordOfPattern(row, test::moduleRun(s, row, 17, 17));
            const auto right =
                test::codewordOfPattern(row, test::moduleRun(s, row, 17 * (n + 2), 17));
            ASSERT_TRUE(left && right) << "indicators are codewords of the row's cluster";
            for (int column = 0; column < n; ++column) {
                const auto value =
                    test::codewordOfPattern(row, test::moduleRun(s, row, 34 + 17 * column, 17));
                ASSERT_EQ(value, s.codewords[row * n + column]) << "column " << column;
            }
            const int group = 30 * (row / 3);
            const int l = *left - group, r = *right - group;
            switch (row % 3) {
            case 0:
                rowsDiv3 = l;
                EXPECT_EQ(r + 1, n);
                break;
            case 1:
                level = l / 3;
                rowsMod3 = l % 3;
                EXPECT_EQ(r, rowsDiv3);
                break;
            default:
                EXPECT_EQ(l + 1, n);
                EXPECT_EQ(r, 3 * level + rowsMod3);
                break;
            }
        }
        EXPECT_EQ(3 * rowsDiv3 + rowsMod3 + 1, s.rows);
        EXPECT_EQ(level, s.eccLevel);
    }
}

TEST(Pdf417Encoder, InversionComplementsEveryByteFillerIncluded) {
    for (const std::string& payload : structurePayloads()) {
        SCOPED_TRACE(payload.size());
        const Pdf417Symbol plain = encodePayload(payload);
        const Pdf417Symbol inverted = encodePayload(payload, Pdf417Options::Invert);
        ASSERT_EQ(inverted.matrix.size(), plain.matrix.size());
        for (std::size_t i = 0; i < plain.matrix.size(); ++i) {
            ASSERT_EQ(inverted.matrix[i], static_cast<std::uint8_t>(~plain.matrix[i])) << i;
        }
        const int filler = 8 * plain.rowBytes - plain.moduleColumns;
        const std::uint8_t fillerMask = static_cast<std::uint8_t>((1 << filler) - 1);
        for (int row = 0; row < plain.rows; ++row) {
            const std::size_t last = static_cast<std::size_t>(row + 1) * plain.rowBytes - 1;
            EXPECT_EQ(plain.matrix[last] & fillerMask, 0) << "filler is 0 when built";
            EXPECT_EQ(inverted.matrix[last] & fillerMask, fillerMask) << "and 1 once inverted";
        }
    }
}

TEST(Pdf417Encoder, EncodingAgainReplacesEveryOutput) {
    const std::string large = capitalsForDataCount(926);
    const std::string small = "A";
    Pdf417Symbol symbol = encodePayload(large);
    symbol.text = record::asBytes(small);
    ASSERT_EQ(Pdf417Encoder().encode(symbol), DrawStatus::Ok);
    const Pdf417Symbol fresh = encodePayload(small);
    EXPECT_EQ(symbol.matrix, fresh.matrix);
    EXPECT_EQ(symbol.codewordCount, fresh.codewordCount);
    EXPECT_TRUE(std::equal(fresh.codewords.begin(), fresh.codewords.begin() + fresh.codewordCount,
                           symbol.codewords.begin()));

    const std::string tooLong(5421, 'A');
    symbol.text = record::asBytes(tooLong);
    ASSERT_EQ(Pdf417Encoder().encode(symbol), DrawStatus::PayloadTooLong);
    EXPECT_TRUE(symbol.matrix.empty());
    EXPECT_EQ(symbol.rows, 0);
}

} // namespace
} // namespace parvelin::barcode
