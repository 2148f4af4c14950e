#pragma once

#include "datafile/OpenedDataFile.h"
#include "record/MemberRecord.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace parvelin::cli {

// Exit statuses that the commands share.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;   // a failed check, a payload too long for the barcode
inline constexpr int kExitMalformed = 2; // a file that cannot be read or does not hold a record
inline constexpr int kExitUnwritten = 2; // output that could not be written whole
inline constexpr int kExitUsage = 64;

using Arguments = std::span<const std::string_view>;

std::string readStandardInput();

// Every output is checked. Writing reports a failure in one line and gives kExitUnwritten;
// kExitOk otherwise. A file is written whole or not at all (writeFileAtomically): a failure
// leaves no file behind and an existing one as it was.
[[nodiscard]] int writeStandardOutput(std::string_view bytes);
[[nodiscard]] int writeOutputFile(const std::string& path, std::string_view bytes);

// Standard output once the command is done: what is still buffered flushed, the descriptor
// closed, any failure reported. The exit status, or kExitUnwritten.
[[nodiscard]] int finishStandardOutput(int status);

// One line on standard error, prefixed with the program name.
void reportError(std::string_view text);

// A data file as Open reads it, the file's values over the New defaults. Reports a file that
// cannot be read, or does not open to a record, and gives std::nullopt.
std::optional<datafile::OpenedDataFile> openDataFile(const std::string& path);

} // namespace parvelin::cli
