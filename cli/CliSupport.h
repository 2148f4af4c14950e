#pragma once

#include "applicants/OpenedFile.h"
#include "record/MemberRecord.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace parvelin::cli {

// Exit statuses that the commands share.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;   // a failed check, a payload too long for the barcode
inline constexpr int kExitMalformed = 2; // a file that cannot be read or does not hold a record
inline constexpr int kExitUnwritten = 2; // output that could not be written whole
inline constexpr int kExitUsage = 64;

using Arguments = std::span<const std::string_view>;

// Reads the value of the option at `arguments[at]` (as in "-o FILE") into `value`, `at` stepped
// onto it. Each option is given once: a second one is reported ("-o is given twice"), as which of
// the two was meant cannot be told, and so is an option at the end or followed by an empty value
// ("-o needs a value"); both give false.
[[nodiscard]] bool readOptionValue(Arguments arguments, std::size_t& at,
                                   std::optional<std::string_view>& value);

// Standard input as the commands name it in their messages.
inline constexpr std::string_view kStandardInput = "标准输入";

// Standard input, read to its end but never more than `maxBytes` + 1 bytes: a longer input is
// cut there, so that the caller tells it from one that fits without holding all of it. A failed
// read (a folder, a closed descriptor) is reported and gives std::nullopt.
std::optional<std::string> readStandardInput(std::size_t maxBytes);

// Descriptors 0, 1 and 2 that the caller closed are held by /dev/null, opened the other way
// round, so that no file the command opens takes their number and gets what was meant for the
// terminal: reading or writing them still fails, a command that does not use them does not.
void holdClosedStandardDescriptors();

#ifdef _WIN32
// Windows: standard input and output carry bytes unchanged (no "\r\n" for "\n"), and a console
// shows UTF-8.
void useBinaryStandardStreams();

// The program's arguments, which Windows gives as UTF-16, in UTF-8.
std::vector<std::string> utf8Arguments(int argc, wchar_t** argv);
#endif

// Reports, and gives false, when `output` is the same file as one of `inputs` or as standard
// input (when `readsStandardInput`): writing it would destroy what it is made from.
[[nodiscard]] bool outputSparesInputs(const std::string& output,
                                      std::span<const std::string> inputs, bool readsStandardInput);

// Every output is checked. Writing reports a failure in one line and gives kExitUnwritten;
// kExitOk otherwise. A file is written whole or not at all (writeFileAtomically): a failure
// leaves no file behind and an existing one as it was.
[[nodiscard]] int writeStandardOutput(std::string_view bytes);
[[nodiscard]] int writeOutputFile(const std::string& path, std::string_view bytes);

// Standard output once the command is done: what is still buffered flushed, the descriptor
// closed, any failure reported. The exit status, or kExitUnwritten.
[[nodiscard]] int finishStandardOutput(int status);

// One line on standard error, prefixed with the program name. Causes are said in Chinese, as the
// program says them, with the file's path.
void reportError(std::string_view text);

// A data file as Open reads it, the file's values over the New defaults. Reports a file that
// cannot be read, or does not open to a record, and gives std::nullopt.
std::optional<applicants::OpenedDataFile> openDataFile(const std::string& path);

} // namespace parvelin::cli
