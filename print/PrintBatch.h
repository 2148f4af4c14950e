#pragma once

#include "applicants/OpenedFile.h"
#include "print/PrintJob.h"
#include "record/Clock.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace parvelin::print {

// The pages of several data files in one job (the applicants window's print commands, the
// command-line tool's render): each file opened as Open opens it, checked as the print commands
// check, and made into its job; a file that cannot be printed is named with its cause in the
// same words wherever it is printed, and the others print all the same.

// A file chosen in the applicants window that changed again after it was chosen: it is neither
// opened nor printed as it is now, unseen.
inline constexpr std::string_view kChangedSinceChosen =
    "在申请人列表中选定后又被修改，请重新选择。";

// A data file to print. `chosen` is the file as it was read when the clerk chose it from a list:
// one that differs now is left out, as its page would not be the one chosen.
struct FileToPrint {
    std::string path; // file system bytes
    std::optional<applicants::FileSnapshot> chosen{};
};

// Why a file gets no page: it does not open (unreadable or damaged), it changed since it was
// chosen, or its applicant fails a check.
enum class LeftOutReason { NotOpened, ChangedSinceChosen, FailedCheck };

// A file left out, and the line that names it ("x.zbdw：必填项不能为空！"; a file that does not
// open is named by the reader's reason, which carries its whole path).
struct LeftOutFile {
    std::string path;
    LeftOutReason reason;
    std::string line;
};

struct PrintBatch {
    std::vector<PrintJob> jobs;     // of the files that print, in the order given
    std::vector<std::string> names; // their file names as the clerk reads them, one per job
    std::string jobName;            // the job's name: the applicant's alone, the group's of several
    std::vector<LeftOutFile> leftOut;

    // The lines of the files left out, in the order given.
    std::vector<std::string> leftOutLines() const;
};

// The batch of `files`, opened over the New defaults of `clock` and checked against its date.
PrintBatch preparePrintBatch(std::span<const FileToPrint> files, const record::Clock& clock);

// A line that names a file by its name (as the clerk reads it, `names` above) with a cause:
// "x.zbdw：数据太长，二维码不正确！".
std::string fileLine(std::string_view name, std::string_view cause);

} // namespace parvelin::print
