#include "input/TitleCompletion.h"

#include "record/ReferenceLists.h"

namespace parvelin::input {

namespace {

record::GbkString replacedPlaceholders(record::GbkStringView text, record::GbkStringView name) {
    record::GbkString result;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = record::findText(text, record::kNamePlaceholder, from);
        if (at == record::GbkStringView::npos) {
            break;
        }
        result.append(text.substr(from, at - from));
        result.append(name);
        from = at + record::kNamePlaceholder.size();
    }
    result.append(text.substr(from));
    return result;
}

} // namespace

bool needsIdentityEditor(record::GbkStringView note) {
    return record::findSingleByte(note, '*') != record::GbkStringView::npos;
}

record::GbkString capitalizeFirst(record::GbkStringView text) {
    record::GbkString result(text);
    if (!result.empty() && result[0] >= 'a' && result[0] <= 'z') {
        result[0] = static_cast<char>(result[0] - 'a' + 'A');
    }
    return result;
}

IdentityNames tidiedNames(const IdentityNames& names) {
    IdentityNames tidied;
    tidied.givenNameChinese = record::trimmed(names.givenNameChinese);
    tidied.surnameChinese = record::trimmed(names.surnameChinese);
    tidied.givenNamePinyin =
        record::trimmedRight(capitalizeFirst(record::trimmedLeft(names.givenNamePinyin)));
    tidied.surnamePinyin =
        record::trimmedRight(capitalizeFirst(record::trimmedLeft(names.surnamePinyin)));
    return tidied;
}

bool namesComplete(const IdentityNames& tidied) {
    return (!tidied.givenNameChinese.empty() || !tidied.surnameChinese.empty()) &&
           (!tidied.givenNamePinyin.empty() || !tidied.surnamePinyin.empty());
}

record::GbkString chineseName(const IdentityNames& names) {
    return names.surnameChinese + names.givenNameChinese;
}

record::GbkString pinyinName(const IdentityNames& names) {
    return names.surnamePinyin + " " + names.givenNamePinyin;
}

std::optional<record::GbkString> completeTitle(record::GbkStringView title,
                                               const IdentityNames& names) {
    const record::GbkString chinese = chineseName(names);
    const record::GbkString pinyin = pinyinName(names);
    if (chinese.empty() || pinyin.empty()) {
        return std::nullopt;
    }
    std::size_t split = record::findSingleByte(title, ';');
    if (split == record::GbkStringView::npos) {
        split = 0;
    }
    return replacedPlaceholders(title.substr(0, split), chinese) +
           replacedPlaceholders(title.substr(split), pinyin);
}

} // namespace parvelin::input
