#pragma once

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
inline constexpr int kExitUsage = 64;

using Arguments = std::span<const std::string_view>;

std::optional<std::string> readFile(const std::string& path);
bool writeFile(const std::string& path, std::string_view bytes);
std::string readStandardInput();
void writeStandardOutput(std::string_view bytes);

// One line on standard error, prefixed with the program name.
void reportError(std::string_view text);

// A data file as Open reads it: its record text, and the applicant it holds (the file's record
// over the New defaults).
struct OpenedFile {
    record::GbkString recordText;
    record::MemberRecord record;
};

// Reports a file that cannot be read, or does not open to a record, and gives std::nullopt.
std::optional<OpenedFile> openDataFile(const std::string& path);

} // namespace parvelin::cli
