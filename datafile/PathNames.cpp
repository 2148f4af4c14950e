#include "datafile/PathNames.h"

#include "record/GbkText.h"

#include <algorithm>

namespace parvelin::datafile {

std::string folderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return ".";
    }
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string displayFileName(std::string_view fileName) {
    return record::isUtf8(fileName) ? std::string(fileName) : record::gbkToUtf8Lossy(fileName);
}

std::string displayPath(std::string_view path) {
    std::string shown;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        shown += displayFileName(path.substr(start, slash - start));
        if (slash < path.size()) {
            shown += '/';
        }
        start = slash + 1;
    }
    return shown;
}

} // namespace parvelin::datafile
