#include "disk/TemporaryFileName.h"

namespace parvelin::disk {

bool isTemporaryFileName(std::string_view name) {
    if (!name.starts_with(kTemporaryNamePrefix) ||
        name.size() != kTemporaryNamePrefix.size() + kTemporaryNameLetters) {
        return false;
    }
    for (const char c : name.substr(kTemporaryNamePrefix.size())) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) {
            return false;
        }
    }
    return true;
}

} // namespace parvelin::disk
