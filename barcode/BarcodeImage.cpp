#include "barcode/BarcodeImage.h"

#include <algorithm>

namespace parvelin::barcode {

namespace {

// Windows bitmap layout: BITMAPFILEHEADER, then BITMAPINFOHEADER.
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr int kBitsPerPixel = 16;
constexpr std::uint16_t kWhite555 = 0x7FFF; // 16-bit BI_RGB pixels are x-5-5-5
constexpr std::uint16_t kBlack555 = 0x0000;

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

} // namespace

BarcodeImage barcodeImage(const Pdf417Symbol& symbol) {
    BarcodeImage image;
    image.width = symbol.moduleColumns;
    image.height = kModulePixelHeight * symbol.rows;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    const std::size_t width = image.width;
    for (int row = 0; row < symbol.rows; ++row) {
        std::uint8_t* first = image.pixels.data() + width * kModulePixelHeight * row;
        const std::uint8_t* bits = symbol.matrix.data() + std::size_t(symbol.rowBytes) * row;
        for (std::size_t x = 0; x < width; ++x) {
            first[x] = (bits[x / 8] >> (7 - x % 8)) & 1 ? kWhite : kBlack;
        }
        for (int copy = 1; copy < kModulePixelHeight; ++copy) {
            std::copy_n(first, width, first + width * copy);
        }
    }
    return image;
}

std::vector<std::uint8_t> bmpFileBytes(const BarcodeImage& image) {
    const std::size_t rowBytes = (std::size_t(image.width) * kBitsPerPixel + 31) / 32 * 4;
    const std::size_t pixelBytes = rowBytes * image.height;
    const std::uint32_t headerBytes = kFileHeaderBytes + kInfoHeaderBytes;
    std::vector<std::uint8_t> out;
    out.reserve(headerBytes + pixelBytes);
    // File header: "BM", file size, two reserved words, offset of the pixels.
    out.push_back('B');
    out.push_back('M');
    putLittleEndian(out, static_cast<std::uint32_t>(headerBytes + pixelBytes), 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, headerBytes, 4);
    // Information header: size, width, height (positive: bottom-up), planes, bits per pixel,
    // compression (BI_RGB), then image size, resolutions and colour counts all 0.
    putLittleEndian(out, kInfoHeaderBytes, 4);
    putLittleEndian(out, static_cast<std::uint32_t>(image.width), 4);
    putLittleEndian(out, static_cast<std::uint32_t>(image.height), 4);
    putLittleEndian(out, 1, 2);
    putLittleEndian(out, kBitsPerPixel, 2);
    putLittleEndian(out, 0, 4);
    for (int field = 0; field < 5; ++field) {
        putLittleEndian(out, 0, 4);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            putLittleEndian(out, image.pixel(x, y) == kWhite ? kWhite555 : kBlack555, 2);
        }
        out.resize(rowStart + rowBytes, 0);
    }
    return out;
}

Pdf417Symbol pageSymbol(std::span<const std::uint8_t> payload) {
    Pdf417Symbol symbol;
    symbol.text = payload;
    symbol.options = Pdf417Options::Invert;
    symbol.status = Pdf417Encoder().encode(symbol);
    return symbol;
}

BarcodePicture drawBarcodePicture(std::span<const std::uint8_t> payload) {
    const Pdf417Symbol symbol = pageSymbol(payload);
    if (symbol.status != DrawStatus::Ok) {
        return {symbol.status, {}};
    }
    return {DrawStatus::Ok, barcodeImage(symbol)};
}

} // namespace parvelin::barcode
