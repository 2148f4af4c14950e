#pragma once

#include <cstddef>
#include <ctime>
#include <string_view>

namespace parvelin::disk {

// How a temporary file of a save is named, on every system: ".parvelin-" and six random letters
// or digits, in the folder of the file it will replace. A sweep removes only names of this
// shape, and only once they are older than any save takes; the sweep itself
// (removeStaleTemporaryFiles, TemporaryFile.h) is the same on every system and lives beside this.
inline constexpr std::string_view kTemporaryNamePrefix = ".parvelin-";
inline constexpr std::size_t kTemporaryNameLetters = 6;
inline constexpr std::time_t kTemporaryFileStaleAfterSeconds = 60;

bool isTemporaryFileName(std::string_view name);

} // namespace parvelin::disk
