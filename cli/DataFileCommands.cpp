#include "cli/DataFileCommands.h"

#include "datafile/BarcodePayload.h"
#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "datafile/Validation.h"
#include "record/GbkText.h"

#include <iostream>

namespace parvelin::cli {

namespace {

// The applicant of the file named by the one argument, after the checks; reports and gives the
// exit status otherwise.
struct CheckedApplicant {
    std::optional<record::MemberRecord> record;
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
    record::MemberRecord record = std::move(opened->record);
    record::SystemClock clock;
    if (const auto failure = datafile::validateRecord(record, clock)) {
        return {std::nullopt, kExitRefused, failure->message};
    }
    return {std::move(record), kExitOk, {}};
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
        writeStandardOutput(opened->recordText);
        return kExitOk;
    }
    const auto converted = record::gbkToUtf8(opened->recordText);
    if (!converted) {
        reportError(path + ": the record holds bytes that are not GBK text");
        return kExitMalformed;
    }
    writeStandardOutput(*converted);
    return kExitOk;
}

int runSeal(Arguments arguments) {
    if (!arguments.empty()) {
        reportError("seal reads the record text on standard input and takes no arguments");
        return kExitUsage;
    }
    writeStandardOutput(datafile::sealRecord(readStandardInput()));
    return kExitOk;
}

int runValidate(Arguments arguments) {
    const CheckedApplicant applicant = openAndCheck(arguments);
    if (applicant.status == kExitRefused) {
        std::cout << applicant.failure << '\n';
    } else if (applicant.status == kExitOk) {
        std::cout << "OK\n";
    }
    return applicant.status;
}

int runPayload(Arguments arguments) {
    CheckedApplicant applicant = openAndCheck(arguments);
    if (applicant.status == kExitRefused) {
        std::cerr << applicant.failure << '\n';
    }
    if (applicant.status != kExitOk) {
        return applicant.status;
    }
    writeStandardOutput(datafile::composeBarcodePayload(*applicant.record));
    return kExitOk;
}

} // namespace parvelin::cli
