#include "applicants/DataFileName.h"

#include "disk/PathNames.h"

namespace parvelin::applicants {

namespace {

constexpr std::string_view kNotInFileNames = "\\/:*?\"<>|";
constexpr int kMostNumbered = 999;

} // namespace

bool isDataFileName(std::string_view name) {
    return disk::hasSuffix(name, kDataFileSuffix);
}

std::string_view dataFileStem(std::string_view name) {
    if (isDataFileName(name)) {
        name.remove_suffix(kDataFileSuffix.size());
    }
    return name;
}

record::GbkString defaultFileName(const record::MemberRecord& record) {
    record::GbkString name = record.groupNumber + "_" +
                             record::withNameSeparator(record, record.surnameChinese) +
                             record.givenNameChinese;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (record::isLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
            ++i; // the second byte of a double-byte character is part of it, never a separator
        } else if (kNotInFileNames.find(name[i]) != std::string_view::npos) {
            name[i] = '_';
        }
    }
    return name;
}

std::optional<std::string> freeFileName(std::string_view fileName,
                                        const std::function<bool(const std::string&)>& taken) {
    // The suffix in any case, as archives from other systems write it.
    std::string_view stem = dataFileStem(fileName);
    const std::string_view ending = fileName.substr(stem.size());
    // "(2)" of its own: numbered again from the name it was made from. No second byte of a GBK
    // character is a bracket or a digit, so the bytes are read as they are.
    if (stem.ends_with(')')) {
        const std::size_t open = stem.find_last_of('(');
        const std::string_view number = open == std::string_view::npos
                                            ? std::string_view()
                                            : stem.substr(open + 1, stem.size() - open - 2);
        if (!number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos) {
            stem = stem.substr(0, open);
        }
    }
    for (int number = 2; number <= kMostNumbered; ++number) {
        std::string name =
            std::string(stem) + "(" + std::to_string(number) + ")" + std::string(ending);
        if (!taken(name)) {
            return name;
        }
    }
    return std::nullopt;
}

} // namespace parvelin::applicants
