#pragma once

#include "barcode/BarcodeImage.h"

#include <string>
#include <vector>

#include <ZXing/ReadBarcode.h>

namespace parvelin::test {

// What zxing-cpp, an independent reader, reads from a barcode picture as a page shows it:
// enlarged without smoothing and set in a quiet zone. The reason when it reads nothing.
inline std::string readWithZxing(const barcode::BarcodeImage& image) {
    constexpr int kScale = 2;
    constexpr int kQuietZone = 8; // pixels of the picture, before scaling
    const int width = (image.width + 2 * kQuietZone) * kScale;
    const int height = (image.height + 2 * kQuietZone) * kScale;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height, barcode::kWhite);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int sx = x / kScale - kQuietZone, sy = y / kScale - kQuietZone;
            if (sx >= 0 && sx < image.width && sy >= 0 && sy < image.height) {
                pixels[static_cast<std::size_t>(y) * width + x] = image.pixel(sx, sy);
            }
        }
    }
    const ZXing::ImageView view(pixels.data(), width, height, ZXing::ImageFormat::Lum);
    const ZXing::Result result =
        ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::PDF417));
    if (!result.isValid()) {
        return "<unread: " + result.error().msg() + ">";
    }
    return std::string(result.bytes().asString());
}

} // namespace parvelin::test
