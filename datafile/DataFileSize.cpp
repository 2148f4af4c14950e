#include "datafile/DataFileSize.h"

#include "datafile/DataFile.h"
#include "record/MemberRecord.h"
#include "record/ReferenceLists.h"

#include <algorithm>
#include <string>

namespace parvelin::datafile {

namespace {

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
