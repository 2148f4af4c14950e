#include "cli/PinyinCommand.h"

#include "input/EmbeddedPinyinTable.h"
#include "input/NameRomanizer.h"
#include "input/PinyinTable.h"
#include "record/GbkText.h"

#include <algorithm>

namespace parvelin::cli {

int runPinyin(Arguments arguments) {
    const bool surname = !arguments.empty() && arguments[0] == "--surname";
    if (surname) {
        arguments = arguments.subspan(1);
    }
    if (arguments.size() != 1) {
        reportError("expects one name");
        return kExitUsage;
    }
    // A blank name has no candidates, where one of characters without readings has an empty one:
    // it is refused with the reason rather than answered with nothing.
    if (record::trimmed(arguments[0]).empty()) {
        reportError("姓名为空（或只有空白），没有拼音可列出");
        return kExitUsage;
    }
    const auto name = record::utf8ToGbk(arguments[0]);
    if (!name) {
        reportError("姓名不是UTF-8文本，或含有GBK没有的字符");
        return kExitUsage;
    }
    input::PinyinTable table;
    table.load(input::embeddedPinyinTable());
    const input::NameRomanizer romanizer(table);
    std::vector<record::GbkString> candidates =
        surname ? romanizer.romanizeSurname(*name) : romanizer.romanize(*name);
    std::sort(candidates.begin(), candidates.end());

    std::string text;
    for (const record::GbkString& candidate : candidates) {
        // Candidates are Latin letters, "-" and the single-byte characters of the name.
        text += record::gbkToUtf8(candidate).value_or(candidate);
        text += '\n';
    }
    return writeStandardOutput(text);
}

} // namespace parvelin::cli
