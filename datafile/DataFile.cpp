#include "datafile/DataFile.h"

#include "datafile/Base64.h"
#include "datafile/Des.h"
#include "datafile/RecordText.h"
#include "record/GbkText.h"
#include "record/MemberRecord.h"
#include "record/ReferenceLists.h"

#include <algorithm>
#include <string>

namespace parvelin::datafile {

namespace {

constexpr std::string_view kPrefix = "2|";
constexpr std::string_view kSuffix = "||";
constexpr char kSeparator = '|';

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

constexpr std::size_t kHeaderAndSeparators = sizeof("groupMember|") - 1 + 30;
constexpr std::size_t kLongestBoxValue = kEditBoxCharacterLimit * 2;

// A completed title: each "***" of the Chinese half becomes surname and given name, each of the
// English half the two pinyin parts with a blank between them.
std::size_t longestCompletedTitle() {
    constexpr std::size_t kLongestName = 2 * kLongestBoxValue + 1;
    std::size_t longest = 0;
    for (const record::GbkString& title : record::externalIdentityTitleList().entries) {
        std::size_t placeholders = 0;
        for (std::size_t at = title.find(record::kNamePlaceholder); at != std::string::npos;
             at = title.find(record::kNamePlaceholder, at + record::kNamePlaceholder.size())) {
            ++placeholders;
        }
        longest = std::max(longest, title.size() + placeholders * kLongestName);
    }
    return longest;
}

std::size_t bound(record::Field field) {
    switch (field) {
    case record::Field::filingNumber:
    case record::Field::ethnicityOther:
        return kLongestBoxValue;
    case record::Field::externalIdentityNote:
        return longestCompletedTitle();
    default:
        return kOtherValueAllowance;
    }
}

} // namespace

std::string wrapRecord(record::GbkStringView recordText) {
    std::string wrapped(kPrefix);
    wrapped += base64Encode(record::asBytes(recordText));
    wrapped += kSuffix;
    return wrapped;
}

std::optional<record::GbkString> unwrapRecord(std::string_view wrapped) {
    // The Base64 alphabet has no "|", so a plain byte search finds the inner text whole.
    const std::size_t first = wrapped.find(kSeparator);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t second = wrapped.find(kSeparator, first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    return base64Decode(wrapped.substr(first + 1, second - first - 1));
}

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

std::string composeBarcodePayload(const CheckedRecord& record) {
    return wrapRecord(composeBarcodeRecord(record));
}

std::size_t largestRecordText() {
    std::size_t total = kHeaderAndSeparators;
    // Every value the form holds, more than the 31 that a file record stores.
    for (int f = 0; f <= static_cast<int>(record::Field::groupNumber); ++f) {
        total += bound(static_cast<record::Field>(f));
    }
    return total;
}

std::size_t largestDataFile() {
    // Sealing adds Base64 twice, the envelope, padding and line breaks; its size depends on the
    // length of the record text alone.
    static const std::size_t size = sealRecord(std::string(largestRecordText(), 'x')).size();
    return size;
}

} // namespace parvelin::datafile
