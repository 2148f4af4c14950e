// The barcode picture and its bitmap file bytes.

#include "barcode/BarcodeImage.h"

#include "tests/barcode/SymbolSupport.h"

#include <gtest/gtest.h>

namespace parvelin::barcode {
namespace {

std::uint32_t littleEndian(const std::vector<std::uint8_t>& bytes, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[offset + i];
    }
    return value;
}

TEST(BarcodeImage, SizeIsModuleColumnsByThreeTimesRows) {
    const struct {
        std::string payload;
        int width, height;
        const char* why;
    } cases[] = {
        {"A", 86, 30, "1 column, 10 rows: 17 + 69 modules"},
        {std::string(1850, 'A'), 341, 174, "16 columns, 58 rows"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const BarcodePicture picture = drawBarcodePicture(record::asBytes(c.payload));
        ASSERT_EQ(picture.status, DrawStatus::Ok);
        EXPECT_EQ(picture.image.width, c.width);
        EXPECT_EQ(picture.image.height, c.height);
        EXPECT_EQ(picture.image.pixels.size(), static_cast<std::size_t>(c.width * c.height));
    }
}

TEST(BarcodeImage, EveryModuleIsOnePixelWideAndThreeHigh) {
    const std::string payload = "2|Zm9vYmFy 1234567890123 \x80\x81 barcode picture||";
    const Pdf417Symbol symbol = test::encodePayload(payload, Pdf417Options::Invert);
    const BarcodeImage image = barcodeImage(symbol);
    ASSERT_EQ(image.width, symbol.moduleColumns);
    ASSERT_EQ(image.height, 3 * symbol.rows);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            ASSERT_EQ(image.pixel(x, y), symbol.bit(y / 3, x) ? kWhite : kBlack)
                << "pixel " << x << ", " << y << ": white for a 1 bit of the inverted matrix";
        }
    }
    // With the inverted matrix the start pattern's bar and the stop pattern's last bar are black
    // and nothing of the (white) filler shows at the right edge.
    for (int y = 0; y < image.height; ++y) {
        EXPECT_EQ(image.pixel(0, y), kBlack);
        EXPECT_EQ(image.pixel(image.width - 1, y), kBlack);
    }
}

TEST(BarcodeImage, TooLongPayloadGivesNoPicture) {
    const std::string payload(1851, 'A');
    const BarcodePicture picture = drawBarcodePicture(record::asBytes(payload));
    EXPECT_EQ(picture.status, DrawStatus::PayloadTooLong);
    EXPECT_TRUE(picture.image.pixels.empty());
    EXPECT_EQ(static_cast<int>(picture.status), 1) << "the external status code";
}

TEST(BarcodeImage, BitmapFileLayout) {
    const struct {
        std::string payload;
        int width, rowBytes;
        const char* why;
    } cases[] = {
        {"A", 86, 172, "172 bytes of pixels are already a multiple of 4"},
        {std::string(60, 'A'), 103, 208, "2 columns: 206 bytes filled up to 208"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const BarcodePicture picture = drawBarcodePicture(record::asBytes(c.payload));
        ASSERT_EQ(picture.image.width, c.width);
        const int height = picture.image.height;
        const std::vector<std::uint8_t> bmp = bmpFileBytes(picture.image);
        const std::size_t pixelBytes = static_cast<std::size_t>(c.rowBytes) * height;
        ASSERT_EQ(bmp.size(), 54 + pixelBytes);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(littleEndian(bmp, 2, 4), 54 + pixelBytes) << "file size";
        EXPECT_EQ(littleEndian(bmp, 6, 4), 0u) << "reserved";
        EXPECT_EQ(littleEndian(bmp, 10, 4), 54u) << "pixel offset";
        EXPECT_EQ(littleEndian(bmp, 14, 4), 40u) << "information header size";
        EXPECT_EQ(littleEndian(bmp, 18, 4), static_cast<std::uint32_t>(c.width));
        EXPECT_EQ(littleEndian(bmp, 22, 4), static_cast<std::uint32_t>(height)) << "bottom-up";
        EXPECT_EQ(littleEndian(bmp, 26, 2), 1u) << "planes";
        EXPECT_EQ(littleEndian(bmp, 28, 2), 16u) << "bits per pixel";
        for (std::size_t offset = 30; offset < 54; offset += 4) {
            EXPECT_EQ(littleEndian(bmp, offset, 4), 0u) << "compression and the rest, " << offset;
        }
        // Bottom row first; white is 0x7FFF, black 0; the row fill is 0.
        for (int y = 0; y < height; ++y) {
            const std::size_t row = 54 + static_cast<std::size_t>(height - 1 - y) * c.rowBytes;
            for (int x = 0; x < c.width; ++x) {
                const std::uint32_t expected = picture.image.pixel(x, y) == kWhite ? 0x7FFF : 0;
                ASSERT_EQ(littleEndian(bmp, row + 2 * x, 2), expected) << x << ", " << y;
            }
            for (int fill = 2 * c.width; fill < c.rowBytes; ++fill) {
                ASSERT_EQ(bmp[row + fill], 0);
            }
        }
    }
}

} // namespace
} // namespace parvelin::barcode
