#pragma once

#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace parvelin::applicants {

// The names of data files: how a name says that its file is a data file, and the names Save
// proposes.

// The suffix that names a data file. Archives from other systems may write it in capitals.
inline constexpr std::string_view kDataFileSuffix = ".zbdw";

// Whether `name` (a file's name, without its folder) is a data file's name: "a.zbdw", "A.ZBDW",
// not ".zbdw" or "a.zbdw.bak". Every listing of data files, every dialog and every name shown
// without its suffix goes by this.
bool isDataFileName(std::string_view name);

// A data file's name without its suffix, in whatever case it is written; any other name as it is.
std::string_view dataFileStem(std::string_view name);

// The file name Save proposes for a checked record, without the suffix: group number, "_",
// surname with the name separator and given name, in GBK. Characters that no file name may hold
// (\ / : * ? " < > |) are proposed as "_"; the operator may still change the name.
record::GbkString defaultFileName(const record::MemberRecord& record);

// The name Save offers beside a file name that is taken ("…_王伟.zbdw"): the name with "(2)",
// "(3)", … before its suffix ("…_王伟(2).zbdw"), in place of such a number it has already, the
// first that `taken` does not claim; std::nullopt where (2) to (999) are all taken.
std::optional<std::string> freeFileName(std::string_view fileName,
                                        const std::function<bool(const std::string&)>& taken);

} // namespace parvelin::applicants
