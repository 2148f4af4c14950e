#include "cli/DataFileCommands.h"

#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "datafile/Validation.h"
#include "disk/PathNames.h"
#include "record/GbkText.h"

#include <iostream>

namespace parvelin::cli {

namespace {

// The applicant of the file named by the one argument, after the checks; reports and gives the
// exit status otherwise.
struct CheckedApplicant {
    std::optional<datafile::CheckedRecord> record;
    int status = kExitOk;
    std::string_view failure;
};

CheckedApplicant openAndCheck(Arguments arguments) {
    if (arguments.size() != 1) {
        reportError("expects one data file");
        return {std::nullopt, kExitUsage, {}};
    }
    auto opened = openDataFile(std::string(arguments[0]));
    if (!opened) {
        return {std::nullopt, kExitMalformed, {}};
    }
    record::SystemClock clock;
    datafile::CheckResult checked = datafile::validateRecord(opened->record, clock);
    if (const auto* failure = datafile::failureOf(checked)) {
        return {std::nullopt, kExitRefused, failure->message};
    }
    return {std::get<datafile::CheckedRecord>(std::move(checked)), kExitOk, {}};
}

} // namespace

int runOpen(Arguments arguments) {
    bool utf8 = false;
    std::string path;
    for (const std::string_view argument : arguments) {
        if (argument == "--utf8") {
            utf8 = true;
        } else if (path.empty()) {
            path = argument;
        } else {
            reportError("expects one data file");
            return kExitUsage;
        }
    }
    if (path.empty()) {
        reportError("expects one data file");
        return kExitUsage;
    }
    const auto opened = openDataFile(path);
    if (!opened) {
        return kExitMalformed;
    }
    if (!utf8) {
        return writeStandardOutput(opened->recordText);
    }
    const auto converted = record::gbkToUtf8(opened->recordText);
    if (!converted) {
        reportError("记录含有不是GBK编码的字节（" + disk::displayPath(path) + "）");
        return kExitMalformed;
    }
    return writeStandardOutput(*converted);
}

int runSeal(Arguments arguments) {
    std::optional<std::string_view> outputOption;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "-o") {
            reportError("seal reads the record text on standard input and takes only -o FILE");
            return kExitUsage;
        }
        if (!readOptionValue(arguments, i, outputOption)) {
            return kExitUsage;
        }
    }
    const std::string output(outputOption.value_or(""));
    if (!output.empty() && !outputSparesInputs(output, {}, true)) {
        return kExitUnwritten;
    }
    const auto recordText = readStandardInput(datafile::largestRecordText());
    if (!recordText) {
        return kExitMalformed;
    }
    // What opening refuses is not sealed: a data file that never opens again stores nothing.
    if (recordText->size() > datafile::largestRecordText()) {
        reportError(disk::describe({disk::FileFault::TooLarge, 0, std::string(kStandardInput)}));
        return kExitMalformed;
    }
    const std::string content = datafile::sealRecord(*recordText);
    const record::SystemClock clock;
    const auto reopened = applicants::openDataFileContent(content, std::string(kStandardInput),
                                                          record::freshRecord(clock));
    if (const auto* failure = std::get_if<applicants::OpenFailure>(&reopened)) {
        reportError(failure->reason);
        return kExitMalformed;
    }
    return output.empty() ? writeStandardOutput(content) : writeOutputFile(output, content);
}

int runValidate(Arguments arguments) {
    const CheckedApplicant applicant = openAndCheck(arguments);
    if (applicant.status == kExitRefused) {
        const int written = writeStandardOutput(std::string(applicant.failure) + '\n');
        return written == kExitOk ? kExitRefused : written;
    }
    if (applicant.status == kExitOk) {
        return writeStandardOutput("OK\n");
    }
    return applicant.status;
}

int runPayload(Arguments arguments) {
    const CheckedApplicant applicant = openAndCheck(arguments);
    if (applicant.status == kExitRefused) {
        std::cerr << applicant.failure << '\n';
    }
    if (applicant.status != kExitOk) {
        return applicant.status;
    }
    return writeStandardOutput(datafile::composeBarcodePayload(*applicant.record));
}

} // namespace parvelin::cli
