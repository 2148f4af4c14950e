#include "datafile/DataFile.h"

#include "datafile/Base64.h"
#include "datafile/Des.h"
#include "datafile/Envelope.h"
#include "record/GbkText.h"

namespace parvelin::datafile {

namespace {

// Only the first eight characters of the program's key text reach DES.
constexpr std::string_view kKeyText = "7302591846027135";
constexpr char kPadMarker = '\x80';
constexpr std::size_t kBlockSize = 8;

const Des& cipher() {
    static const Des des(desKeyFromText(kKeyText));
    return des;
}

std::span<std::uint8_t> writableBytes(std::string& text) {
    return {reinterpret_cast<std::uint8_t*>(text.data()), text.size()};
}

} // namespace

std::string sealRecord(record::GbkStringView recordText) {
    std::string padded = wrapRecord(recordText);
    padded += kPadMarker;
    padded.resize((padded.size() + kBlockSize - 1) / kBlockSize * kBlockSize, '\0');
    cipher().encryptEcb(writableBytes(padded));
    return base64Encode(record::asBytes(padded));
}

std::optional<record::GbkString> openRecord(std::string_view content) {
    std::string deciphered = base64Decode(content);
    deciphered.resize(deciphered.size() / kBlockSize * kBlockSize);
    cipher().decryptEcb(writableBytes(deciphered));
    const std::size_t marker = deciphered.find(kPadMarker);
    if (marker == std::string::npos) {
        return std::nullopt;
    }
    deciphered.resize(marker);
    return unwrapRecord(deciphered);
}

} // namespace parvelin::datafile
