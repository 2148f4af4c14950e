// Reed–Solomon error correction over GF(929).

#include "barcode/Pdf417ErrorCorrection.h"

#include "tests/barcode/SymbolSupport.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace parvelin::barcode {
namespace {

TEST(Pdf417ErrorCorrection, GeneratorCoefficientsOfLevels0And1AsTheStandardQuotes) {
    struct Case {
        int level;
        std::vector<std::int32_t> coefficients;
    };
    // ISO/IEC 15438, error-correction coefficient tables for levels 0 and 1.
    const Case cases[] = {
        {0, {27, 917}},
        {1, {522, 568, 723, 809}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        const auto a = generatorCoefficients(c.level);
        EXPECT_EQ(std::vector<std::int32_t>(a.begin(), a.end()), c.coefficients);
    }
}

TEST(Pdf417ErrorCorrection, EveryGeneratorVanishesAtItsRoots) {
    for (int level = 0; level <= kMaxEccLevel; ++level) {
        SCOPED_TRACE(level);
        const auto a = generatorCoefficients(level);
        ASSERT_EQ(static_cast<int>(a.size()), 2 << level);
        // g(x) = x^k + a[k-1] x^(k-1) + ... + a[0], highest power first for evaluation.
        std::vector<std::int32_t> g{1};
        g.insert(g.end(), a.rbegin(), a.rend());
        EXPECT_TRUE(test::syndromesVanish(g, static_cast<int>(a.size())));
        // Degree k has exactly k roots: 3^(k+1) is not one of them.
        int next = 1;
        for (std::size_t i = 0; i <= a.size(); ++i) {
            next = next * 3 % kPrime;
        }
        EXPECT_NE(test::evaluateAt(g, next), 0);
    }
}

TEST(Pdf417ErrorCorrection, CheckCodewordsMakeEverySyndromeVanish) {
    std::mt19937 random(929);
    std::uniform_int_distribution<int> value(0, kPrime - 1);
    for (int level = 0; level <= kMaxEccLevel; ++level) {
        const int k = eccCodewordCount(level);
        for (const int dataCount : {1, 2, 17, kMaxCodewords - k}) {
            SCOPED_TRACE("level " + std::to_string(level) + ", " + std::to_string(dataCount) +
                         " data codewords");
            std::vector<std::int32_t> codewords(dataCount + k);
            for (int i = 0; i < dataCount; ++i) {
                codewords[i] = value(random);
            }
            computeErrorCorrection(std::span(codewords).first(dataCount), level,
                                   std::span(codewords).subspan(dataCount));
            EXPECT_TRUE(test::syndromesVanish(codewords, k));
            // A single changed codeword must show.
            codewords[dataCount / 2] = (codewords[dataCount / 2] + 1) % kPrime;
            EXPECT_FALSE(test::syndromesVanish(codewords, k));
        }
    }
}

TEST(Pdf417ErrorCorrection, LongDataOfTheLargestValueAtEveryLevel) {
    // The register keeps its sums unreduced; the longest data of the largest value at the
    // largest levels must still give a valid code.
    for (int level = 0; level <= kMaxEccLevel; ++level) {
        SCOPED_TRACE(level);
        const int k = eccCodewordCount(level);
        std::vector<std::int32_t> codewords(kMaxCodewords, kPrime - 1);
        const int dataCount = kMaxCodewords - k;
        computeErrorCorrection(std::span(codewords).first(dataCount), level,
                               std::span(codewords).subspan(dataCount));
        EXPECT_TRUE(test::syndromesVanish(codewords, k));
    }
}

} // namespace
} // namespace parvelin::barcode
