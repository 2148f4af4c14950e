#pragma once

#include "applicants/OpenedFile.h"
#include "disk/FileError.h"
#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace parvelin::applicants {

// The data files of a folder as the applicants window lists them: every file, the applicant it
// holds or why it does not open, and which of them hold the same person as another.

struct ListedFile {
    std::string fileName; // as the file system spells it, without the folder
    // The applicant, read as Open reads it over an empty record; std::nullopt when the file did
    // not open, and `failure` says why (OpenFailure::reason, UTF-8).
    std::optional<record::MemberRecord> applicant;
    std::string failure;
    std::int64_t modifiedNanoseconds = 0; // since the epoch: when the file was last saved
    // Why the file looks like another one of the folder (UTF-8, one line per kind): the same
    // identity document number (see record::idNumberKey), the same group number and personal
    // sequence number, naming the other files (the first three, and how many there are beyond
    // that). Empty for a file that holds nobody else's numbers.
    std::vector<std::string> duplicates;
    // The file as it was read for the list, where it opened: what is shown is what it held then,
    // and a command on the row compares it with the file as it is when the command comes.
    std::optional<FileSnapshot> read = std::nullopt;
};

// Every data file of `folder` (a regular file, or a link to one, named as isDataFileName says), in
// the order of their names, with their duplicate marks. A FIFO or a device of such a name is
// passed over without being opened. A folder that cannot be read gives its error.
std::variant<std::vector<ListedFile>, disk::FileError> listDataFiles(const std::string& folder);

// What `path` holds now, read as listDataFiles reads a file (without duplicate marks):
// std::nullopt where nothing of that name is there, not even a broken link.
std::optional<ListedFile> fileAt(const std::string& path);

// The files at `indices` of `files`, a listing of `folder`, read again. A file that is not the one
// read for the list (another inode, size, time or content; gone, or no longer opening) is
// replaced by what it holds now, and the duplicate marks of every file are made again. The files
// that changed, each as it was listed, in the order of `indices`.
struct ListedChange {
    std::size_t index;
    ListedFile before;
};
std::vector<ListedChange> listAgain(const std::string& folder, std::vector<ListedFile>& files,
                                    std::span<const std::size_t> indices);

// An applicant as a question names it (UTF-8): "王伟（证件号码 110105194912310021，个人序号 6）".
std::string applicantSummary(const record::MemberRecord& applicant);

// One line about a listed file that changed (UTF-8): its name, whom it held and whom it holds now
// or why it no longer opens.
std::string describeChange(const ListedFile& before, const ListedFile& now);

// The applicant's name as the list shows it: Chinese surname and given name ("张三",
// "买买提·艾力"); the pinyin with a blank between the names unless the separator is there
// ("ZHANG SAN", "MAIMAITI·AILI").
record::GbkString chineseName(const record::MemberRecord& applicant);
record::GbkString pinyinName(const record::MemberRecord& applicant);

// Whether a listed file matches what the clerk typed (UTF-8): its Chinese name, its pinyin, its
// identity document number, personal sequence number or group number holds the text, Latin
// letters in either case, blanks and the name separator "·" not counted. A file that did not
// open matches by its file name. An empty text (or blanks) matches every file.
bool matchesFilter(const ListedFile& file, std::string_view typed);

// The order of the list's texts: runs of digits compare as numbers ("2" before "10"), other bytes
// as they are, which puts GBK names in the order of their pinyin for the common characters.
bool sortsBefore(std::string_view a, std::string_view b);

} // namespace parvelin::applicants
