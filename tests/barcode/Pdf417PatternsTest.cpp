// The codeword pattern tables and the start and stop patterns.

#include "barcode/Pdf417Patterns.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace parvelin::barcode {
namespace {

std::string modulesOf(std::uint32_t pattern, int modules) {
    std::string text;
    for (int i = modules - 1; i >= 0; --i) {
        text += (pattern >> i) & 1 ? '1' : '0';
    }
    return text;
}

// Bar and space widths, leftmost first.
std::vector<int> elementWidths(std::uint32_t pattern) {
    const std::string modules = modulesOf(pattern, kCodewordModules);
    std::vector<int> widths;
    for (std::size_t i = 0; i < modules.size(); ++i) {
        if (i == 0 || modules[i] != modules[i - 1]) {
            widths.push_back(0);
        }
        ++widths.back();
    }
    return widths;
}

TEST(Pdf417Patterns, FirstEntriesAsTheStandardLists) {
    struct Case {
        int cluster;
        std::uint32_t first, second, third;
    };
    // ISO/IEC 15438 Annex A, codewords 0, 1 and 2 of each cluster.
    const Case cases[] = {
        {0, 0x1D5C0, 0x1EAF0, 0x1F57C},
        {3, 0x1F560, 0x1FAB8, 0x1EA40},
        {6, 0x1ABE0, 0x1D5F8, 0x153C0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cluster);
        const auto& table = kCodewordPatterns[c.cluster / 3];
        EXPECT_EQ(table[0], c.first);
        EXPECT_EQ(table[1], c.second);
        EXPECT_EQ(table[2], c.third);
    }
}

TEST(Pdf417Patterns, EveryPatternIsAWellFormedCodewordOfItsCluster) {
    for (int index = 0; index < kClusterCount; ++index) {
        const int cluster = 3 * index;
        for (int value = 0; value < kCodewordValues; ++value) {
            const std::uint32_t pattern = kCodewordPatterns[index][value];
            SCOPED_TRACE("cluster " + std::to_string(cluster) + " value " + std::to_string(value));
            ASSERT_LT(pattern, 1u << kCodewordModules) << "wider than 17 modules";
            ASSERT_TRUE(pattern >> (kCodewordModules - 1) & 1) << "must start with a bar";
            ASSERT_FALSE(pattern & 1) << "must end with a space";
            const std::vector<int> w = elementWidths(pattern);
            ASSERT_EQ(w.size(), 8u) << "4 bars and 4 spaces";
            for (const int width : w) {
                ASSERT_GE(width, 1);
                ASSERT_LE(width, 6);
            }
            // ISO/IEC 15438: the cluster number is (b1 - b2 + b3 - b4 + 9) mod 9 over the bars.
            ASSERT_EQ((w[0] - w[2] + w[4] - w[6] + 9) % 9, cluster);
        }
    }
}

TEST(Pdf417Patterns, ValuesOfAClusterHaveDistinctPatterns) {
    for (const auto& table : kCodewordPatterns) {
        std::vector<std::uint32_t> sorted(table.begin(), table.end());
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    }
}

TEST(Pdf417Patterns, StartAndStopPatterns) {
    // ISO/IEC 15438: start 81111113, stop 711311121 in element widths.
    EXPECT_EQ(modulesOf(kStartPattern, kStartModules), "11111111010101000");
    EXPECT_EQ(modulesOf(kStopPattern, kStopModules), "111111101000101001");
}

} // namespace
} // namespace parvelin::barcode
