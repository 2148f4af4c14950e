#pragma once

#include "barcode/DrawStatus.h"
#include "barcode/Pdf417ErrorCorrection.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace parvelin::barcode {

// Option bits of an encoding.
enum class Pdf417Options : std::uint32_t {
    None = 0,
    Invert = 128, // complement the finished matrix, filler bits included: 0 bits are bars
};

// The inputs and outputs of one PDF417 encoding (ISO/IEC 15438). The caller fills the inputs,
// runs Pdf417Encoder::encode and reads the outputs; the record owns its matrix.
struct Pdf417Symbol {
    // Inputs.
    std::span<const std::uint8_t> text; // the payload, at most kMaxPayloadBytes
    Pdf417Options options = Pdf417Options::None;
    float aspectRatio = 0.5f; // width to height of the symbol that the column count aims at
    float rowHeight = 3.0f;   // height of one row in module widths

    // Outputs.
    DrawStatus status = DrawStatus::Ok; // Ok, or PayloadTooLong (then no matrix)
    // The module matrix, rows top to bottom, each row `rowBytes` bytes; the first module of a
    // row is the most significant bit of its first byte, and the bits after the last module are
    // filler. 1 is a bar unless the matrix is inverted.
    std::vector<std::uint8_t> matrix;
    int matrixBytes = 0;   // rowBytes × rows
    int rowBytes = 0;      // (moduleColumns - 1) / 8 + 1
    int moduleColumns = 0; // 17 × dataColumns + 69: start, left indicator, data, right, stop
    int rows = 0;
    int dataColumns = 0; // codeword columns between the row indicators
    int eccLevel = 0;    // 2^(eccLevel + 1) error-correction codewords
    int dataCount = 0;   // D: the length descriptor and the data codewords
    // Codeword 0 is the symbol length descriptor, then the data, the pads and, last, the error
    // correction; `codewordCount` are in use, finally rows × dataColumns.
    std::array<std::int32_t, kMaxCodewords> codewords{};
    int codewordCount = 0;

    // The matrix bit of a module: row 0..rows-1, column 0..moduleColumns-1.
    bool bit(int row, int column) const {
        return (matrix[static_cast<std::size_t>(row) * rowBytes + column / 8] >> (7 - column % 8)) &
               1;
    }
};

// Payloads longer than this are refused before any work.
inline constexpr int kMaxPayloadBytes = 5420;
// Data codewords (length descriptor included) that a symbol can carry with its smallest error
// correction.
inline constexpr int kMaxDataCodewords = 926;

// PDF417 encoder with this program's fixed choices on top of ISO/IEC 15438: the segmentation of
// Pdf417Segments.h, the compactions of Pdf417Compaction.h, the error-correction level from the
// data count, the column count from the aspect ratio, and pads of 900 to fill the last row.
class Pdf417Encoder {
public:
    // Encodes symbol.text and fills the outputs. On PayloadTooLong no matrix is made.
    [[nodiscard]] DrawStatus encode(Pdf417Symbol& symbol) const;
};

// The error-correction level for D data codewords: 2 up to 40, 3 up to 160, 4 up to 320, 5
// above, capped to the largest level whose codewords still fit beside the data in 928 cells.
int errorCorrectionLevel(int dataCount);

// The number of data columns for T = data + error-correction codewords, balancing the symbol's
// width against its height (rows `rowHeight` module widths high) by the aspect ratio a: the
// positive root c of 17a·c² + (73a − 4)·c = rowHeight·T, rounded. Kept within the standard's
// 1..30 columns, 3..90 rows and 928 cells.
int dataColumnsFor(int totalCodewords, float aspectRatio, float rowHeight);

} // namespace parvelin::barcode
