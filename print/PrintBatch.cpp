#include "print/PrintBatch.h"

#include "disk/PathNames.h"
#include "print/PrintReports.h"

#include <variant>

namespace parvelin::print {

std::vector<std::string> PrintBatch::leftOutLines() const {
    std::vector<std::string> lines;
    lines.reserve(leftOut.size());
    for (const LeftOutFile& file : leftOut) {
        lines.push_back(file.line);
    }
    return lines;
}

std::string fileLine(std::string_view name, std::string_view cause) {
    return std::string(name) + "：" + std::string(cause);
}

PrintBatch preparePrintBatch(std::span<const FileToPrint> files, const record::Clock& clock) {
    PrintBatch batch;
    std::string firstJobName; // the job's name when the first to print prints alone
    for (const FileToPrint& file : files) {
        const std::string name = disk::displayFileName(disk::fileNameOf(file.path));
        const auto leaveOut = [&](LeftOutReason reason, std::string line) {
            batch.leftOut.push_back({file.path, reason, std::move(line)});
        };
        const auto opened = applicants::openDataFile(file.path, record::freshRecord(clock));
        if (const auto* failure = std::get_if<applicants::OpenFailure>(&opened)) {
            leaveOut(LeftOutReason::NotOpened, failure->reason);
            continue;
        }
        const auto& read = std::get<applicants::OpenedDataFile>(opened);
        if (file.chosen && read.file != *file.chosen) {
            leaveOut(LeftOutReason::ChangedSinceChosen, fileLine(name, kChangedSinceChosen));
            continue;
        }
        auto prepared = preparePrintJob(read.record, clock);
        if (const auto* failure = std::get_if<datafile::CheckFailure>(&prepared)) {
            leaveOut(LeftOutReason::FailedCheck, fileLine(name, failure->message));
            continue;
        }
        if (batch.jobs.empty()) {
            firstJobName = printJobName(read.record, name);
        }
        batch.jobs.push_back(std::get<PrintJob>(std::move(prepared)));
        batch.names.push_back(name);
    }
    // A group is called after the folder the files were chosen from.
    batch.jobName = batch.jobs.size() > 1
                        ? groupJobName(batch.jobs.size(), disk::displayFileName(disk::fileNameOf(
                                                              disk::folderOf(files.front().path))))
                        : firstJobName;
    return batch;
}

} // namespace parvelin::print
