#include "applicants/ListedFile.h"

#include "applicants/DataFileName.h"
#include "applicants/OpenedFile.h"
#include "disk/FolderListing.h"
#include "disk/PathNames.h"
#include "record/IdNumber.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <sys/stat.h>
#include <unordered_map>
#include <utility>

namespace parvelin::applicants {

namespace {

using disk::displayFileName;
using disk::fileNameOf;
using disk::folderOf;
using disk::pathIn;

constexpr std::string_view kNameSeparator = "\xA1\xA4"; // "·" in GBK

// The other files by name: a few, then how many there are in all, so that a reason stays one
// readable line however many files share a number.
constexpr std::size_t kNamesShown = 3;

std::string quotedNames(const std::vector<const ListedFile*>& files) {
    std::string names;
    for (std::size_t i = 0; i < files.size() && i < kNamesShown; ++i) {
        names += (i == 0 ? "“" : "、“") + displayFileName(files[i]->fileName) + "”";
    }
    if (files.size() > kNamesShown) {
        names += "等 " + std::to_string(files.size()) + " 个文件";
    }
    return names;
}

// Marks every file whose key (empty: no key) another file shares, naming the others.
template <typename Key>
void markShared(std::vector<ListedFile>& files, Key key, std::string_view what) {
    std::unordered_map<record::GbkString, std::vector<const ListedFile*>> holders;
    for (const ListedFile& file : files) {
        if (file.applicant) {
            if (record::GbkString k = key(*file.applicant); !k.empty()) {
                holders[std::move(k)].push_back(&file);
            }
        }
    }
    std::vector<std::string> reasons(files.size());
    for (const auto& [k, sharing] : holders) {
        if (sharing.size() < 2) {
            continue;
        }
        for (const ListedFile* file : sharing) {
            std::vector<const ListedFile*> others;
            others.reserve(sharing.size() - 1);
            std::copy_if(sharing.begin(), sharing.end(), std::back_inserter(others),
                         [file](const ListedFile* other) { return other != file; });
            reasons[static_cast<std::size_t>(file - files.data())] =
                std::string(what) + "与" + quotedNames(others) + "相同";
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!reasons[i].empty()) {
            files[i].duplicates.push_back(std::move(reasons[i]));
        }
    }
}

// A text as the filter compares it: Latin letters in upper case, without blanks and the name
// separator. `gbk` says how the text is encoded; UTF-8 holds no ASCII byte inside a character,
// and its separator (U+00B7) is left as it is.
std::string folded(std::string_view text, bool gbk) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (gbk && record::isLeadByte(byte) && i + 1 < text.size()) {
            if (text.substr(i, 2) != kNameSeparator) {
                out += text.substr(i, 2);
            }
            ++i;
        } else if (record::kWhiteSpace.find(text[i]) == std::string_view::npos) {
            out += byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : text[i];
        }
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// One file of a folder as the list reads it: the applicant and the file as read, or why it does
// not open. The time that stat gives (`status`, where the listing has it) stands where the file
// does not open; none where the name leads nowhere.
ListedFile readListed(const std::string& folder, std::string name,
                      const struct stat* status = nullptr) {
    const std::string path = pathIn(folder, name);
    ListedFile file;
    struct stat own {};
    if (status == nullptr && ::stat(path.c_str(), &own) == 0) {
        status = &own;
    }
    file.modifiedNanoseconds = status != nullptr ? disk::modifiedNanoseconds(*status) : 0;
    // The reading refuses a file replaced meanwhile by one that would block.
    auto opened = openDataFile(path, record::MemberRecord{});
    if (auto* applicant = std::get_if<OpenedDataFile>(&opened)) {
        file.applicant = std::move(applicant->record);
        file.modifiedNanoseconds = applicant->file.modifiedNanoseconds;
        file.read = std::move(applicant->file);
    } else {
        file.failure = std::get<OpenFailure>(std::move(opened)).reason;
    }
    file.fileName = std::move(name);
    return file;
}

// Marks again which files hold the same person as another.
void markDuplicates(std::vector<ListedFile>& files) {
    for (ListedFile& file : files) {
        file.duplicates.clear();
    }
    markShared(
        files,
        [](const record::MemberRecord& r) { return record::idNumberKey(r.idDocumentNumber); },
        "证件号码");
    markShared(
        files,
        [](const record::MemberRecord& r) {
            const record::GbkString group = record::trimmed(r.groupNumber);
            const record::GbkString sequence = record::trimmed(r.personalSequence);
            // "|" never occurs in a stored value, so no two pairs give the same key.
            return group.empty() || sequence.empty() ? record::GbkString() : group + "|" + sequence;
        },
        "团组号和个人序号");
}

} // namespace

std::variant<std::vector<ListedFile>, disk::FileError> listDataFiles(const std::string& folder) {
    // A link counts as what it leads to.
    auto listing = disk::readFolder(folder, disk::LinksAs::Target);
    if (auto* error = std::get_if<disk::FileError>(&listing)) {
        return std::move(*error);
    }
    std::vector<ListedFile> files;
    for (disk::FolderItem& item : std::get<disk::FolderListing>(listing).items) {
        if (!isDataFileName(item.name) || !S_ISREG(item.status.st_mode)) {
            continue;
        }
        files.push_back(readListed(folder, std::move(item.name), &item.status));
    }
    std::sort(files.begin(), files.end(),
              [](const ListedFile& a, const ListedFile& b) { return a.fileName < b.fileName; });
    markDuplicates(files);
    return files;
}

std::optional<ListedFile> fileAt(const std::string& path) {
    if (!disk::nameExists(path)) {
        return std::nullopt;
    }
    return readListed(folderOf(path), std::string(fileNameOf(path)));
}

std::vector<ListedChange> listAgain(const std::string& folder, std::vector<ListedFile>& files,
                                    std::span<const std::size_t> indices) {
    std::vector<ListedChange> changes;
    for (const std::size_t index : indices) {
        ListedFile& listed = files.at(index);
        ListedFile now = readListed(folder, listed.fileName);
        if (now.read == listed.read && now.failure == listed.failure) {
            continue;
        }
        changes.push_back({index, std::exchange(listed, std::move(now))});
    }
    if (!changes.empty()) {
        markDuplicates(files);
    }
    return changes;
}

std::string applicantSummary(const record::MemberRecord& r) {
    std::string numbers;
    const auto add = [&numbers](std::string_view label, const record::GbkString& value) {
        if (!record::trimmed(value).empty()) {
            numbers += (numbers.empty() ? "" : "，") + std::string(label) + " " +
                       record::gbkToUtf8Lossy(record::trimmed(value));
        }
    };
    add("证件号码", r.idDocumentNumber);
    add("个人序号", r.personalSequence);
    const std::string name = record::gbkToUtf8Lossy(chineseName(r));
    return numbers.empty() ? name : name + "（" + numbers + "）";
}

std::string describeChange(const ListedFile& before, const ListedFile& now) {
    std::string line = "“" + displayFileName(now.fileName) + "”：";
    if (before.applicant) {
        line += "原为 " + record::gbkToUtf8Lossy(chineseName(*before.applicant)) + "，";
    }
    return now.applicant ? line + "现为 " + applicantSummary(*now.applicant)
                         : line + "现已无法打开：" + now.failure;
}

record::GbkString chineseName(const record::MemberRecord& r) {
    return r.surnameChinese + r.givenNameChinese;
}

record::GbkString pinyinName(const record::MemberRecord& r) {
    const bool apart = !r.surnamePinyin.empty() && !r.givenNamePinyin.empty() &&
                       !r.surnamePinyin.ends_with(kNameSeparator);
    return r.surnamePinyin + (apart ? " " : "") + r.givenNamePinyin;
}

bool matchesFilter(const ListedFile& file, std::string_view typed) {
    if (folded(typed, false).empty()) {
        return true;
    }
    if (!file.applicant) {
        return folded(displayFileName(file.fileName), false).find(folded(typed, false)) !=
               std::string::npos;
    }
    const std::optional<record::GbkString> gbk = record::utf8ToGbk(typed);
    if (!gbk) {
        return false; // no value of a record holds what GBK cannot
    }
    const std::string wanted = folded(*gbk, true);
    const record::MemberRecord& r = *file.applicant;
    for (const record::GbkString& value :
         {chineseName(r), pinyinName(r), r.idDocumentNumber, r.personalSequence, r.groupNumber}) {
        if (record::containsText(folded(value, true), wanted)) {
            return true;
        }
    }
    return false;
}

bool sortsBefore(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            // Two numbers: without their leading zeros, the shorter is smaller.
            const std::size_t aStart = i;
            const std::size_t bStart = j;
            while (i < a.size() && isDigit(a[i])) {
                ++i;
            }
            while (j < b.size() && isDigit(b[j])) {
                ++j;
            }
            std::string_view x = a.substr(aStart, i - aStart);
            std::string_view y = b.substr(bStart, j - bStart);
            x.remove_prefix(std::min(x.find_first_not_of('0'), x.size()));
            y.remove_prefix(std::min(y.find_first_not_of('0'), y.size()));
            if (x.size() != y.size()) {
                return x.size() < y.size();
            }
            if (x != y) {
                return x < y;
            }
            continue;
        }
        if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        }
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace parvelin::applicants
