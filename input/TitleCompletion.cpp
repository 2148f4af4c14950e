#include "input/TitleCompletion.h"

#include "app/ReferenceLists.h"

namespace parvelin::input {

namespace {

app::GbkString replacedPlaceholders(app::GbkStringView text, app::GbkStringView name) {
    app::GbkString result;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = app::findText(text, app::kNamePlaceholder, from);
        if (at == app::GbkStringView::npos) {
            break;
        }
        result.append(text.substr(from, at - from));
        result.append(name);
        from = at + app::kNamePlaceholder.size();
    }
    result.append(text.substr(from));
    return result;
}

} // namespace

bool needsIdentityEditor(app::GbkStringView note) {
    return app::findSingleByte(note, '*') != app::GbkStringView::npos;
}

app::GbkString capitalizeFirst(app::GbkStringView text) {
    app::GbkString result(text);
    if (!result.empty() && result[0] >= 'a' && result[0] <= 'z') {
        result[0] = static_cast<char>(result[0] - 'a' + 'A');
    }
    return result;
}

IdentityNames tidiedNames(const IdentityNames& names) {
    IdentityNames tidied;
    tidied.givenNameChinese = app::trimmed(names.givenNameChinese);
    tidied.surnameChinese = app::trimmed(names.surnameChinese);
    tidied.givenNamePinyin =
        app::trimmedRight(capitalizeFirst(app::trimmedLeft(names.givenNamePinyin)));
    tidied.surnamePinyin =
        app::trimmedRight(capitalizeFirst(app::trimmedLeft(names.surnamePinyin)));
    return tidied;
}

bool namesComplete(const IdentityNames& tidied) {
    return (!tidied.givenNameChinese.empty() || !tidied.surnameChinese.empty()) &&
           (!tidied.givenNamePinyin.empty() || !tidied.surnamePinyin.empty());
}

app::GbkString chineseName(const IdentityNames& names) {
    return names.surnameChinese + names.givenNameChinese;
}

app::GbkString pinyinName(const IdentityNames& names) {
    return names.surnamePinyin + " " + names.givenNamePinyin;
}

std::optional<app::GbkString> completeTitle(app::GbkStringView title, const IdentityNames& names) {
    const app::GbkString chinese = chineseName(names);
    const app::GbkString pinyin = pinyinName(names);
    if (chinese.empty() || pinyin.empty()) {
        return std::nullopt;
    }
    std::size_t split = app::findSingleByte(title, ';');
    if (split == app::GbkStringView::npos) {
        split = 0;
    }
    return replacedPlaceholders(title.substr(0, split), chinese) +
           replacedPlaceholders(title.substr(split), pinyin);
}

} // namespace parvelin::input
