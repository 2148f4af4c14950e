#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parvelin::disk {

// What the Open dialog lists of a folder.
struct FolderEntry {
    std::string name;  // as the file system spells it: the bytes that open the file
    std::string shown; // UTF-8 for the dialog: displayFileName(name)
    bool isFolder = false;
};

// The folders in `folder`, then its files whose names end in `suffix` as hasSuffix tells it (for
// ".zbdw", the names that isDataFileName takes), or all files where `suffix` is std::nullopt;
// each group in the order of the shown names. Entries whose names begin with "." are hidden, as
// in every file dialog. A name that is not UTF-8 (GBK, from an archive made on a Chinese system)
// is listed like any other, shown as displayFileName shows it. A folder that cannot be read
// lists nothing.
std::vector<FolderEntry> listFolder(const std::string& folder,
                                    const std::optional<std::string>& suffix);

// The file filter's suffix in a dialog's filter text: "Data File (*.zbdw)" gives ".zbdw", a
// filter of every file ("*" or "*.*") gives std::nullopt.
std::optional<std::string> suffixOfFilter(std::string_view filter);

} // namespace parvelin::disk
