#pragma once

#include "barcode/DrawStatus.h"
#include "barcode/Pdf417Encoder.h"

#include <cstdint>
#include <span>
#include <vector>

namespace parvelin::barcode {

// Every module row of the symbol is this many pixel rows high; a module is one pixel wide.
inline constexpr int kModulePixelHeight = 3;

inline constexpr std::uint8_t kBlack = 0x00;
inline constexpr std::uint8_t kWhite = 0xFF;

// The picture of a symbol: one grey byte per pixel (kBlack or kWhite), rows top to bottom, no
// padding between rows and no quiet zone. The bytes can be wrapped as they are into an 8-bit
// greyscale image (bytes per line = width). A page stretches the picture into its box: it must
// do so without smoothing, so that every module stays a sharp black or white rectangle.
struct BarcodeImage {
    int width = 0;  // = moduleColumns
    int height = 0; // = kModulePixelHeight × rows
    std::vector<std::uint8_t> pixels;

    std::uint8_t pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
};

// Draws the matrix of an encoded symbol: a 1 bit white, a 0 bit black (so an inverted matrix
// gives black bars), filler bits skipped.
BarcodeImage barcodeImage(const Pdf417Symbol& symbol);

// The picture as a Windows bitmap file: 14-byte file header, 40-byte information header, 16 bits
// per pixel (5-5-5, white 0x7FFF), uncompressed, bottom row first, each row padded to 4 bytes.
std::vector<std::uint8_t> bmpFileBytes(const BarcodeImage& image);

// The symbol of a printed page: the payload encoded with the inverted matrix, so that the
// picture's black modules are the bars. Its status says whether the payload fits.
Pdf417Symbol pageSymbol(std::span<const std::uint8_t> payload);

// The barcode of a printed page: the page's symbol drawn.
struct BarcodePicture {
    DrawStatus status = DrawStatus::Ok; // Ok or PayloadTooLong (then the image is empty)
    BarcodeImage image;
};
[[nodiscard]] BarcodePicture drawBarcodePicture(std::span<const std::uint8_t> payload);

} // namespace parvelin::barcode
