#pragma once

#include <string_view>

namespace parvelin::barcode {

// Outcome of encoding the barcode and drawing it onto the page. The values are the program's
// status codes: the page drawing returns them unchanged. Functions that give one are
// [[nodiscard]].
enum class DrawStatus : int {
    Ok = 0,
    PayloadTooLong = 1,   // more than the symbol holds (5420 bytes, or 926 data codewords)
    PictureFailed = -111, // the barcode picture could not be drawn onto the page
};

// The notice for a payload that the barcode cannot hold (UTF-8).
inline constexpr std::string_view kPayloadTooLongMessage = "数据太长，二维码不正确！";

} // namespace parvelin::barcode
