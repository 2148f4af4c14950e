#include "applicants/OpenedFile.h"

#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "input/FieldCaps.h"
#include "input/TitleCompletion.h"
#include "record/ReferenceLists.h"
#include "tests/support/Applicants.h"
#include "tests/support/FolderTest.h"
#include "tests/support/UncheckedRecords.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace parvelin::applicants {
namespace {

using namespace datafile; // the format the files are written in
using disk::FileError;
using disk::FileFault;

namespace fs = std::filesystem;

class OpenedFile : public test::FolderTest {};

// Everything that is not a data file is refused at once: nothing blocks, nothing is read whole.
TEST_F(OpenedFile, RefusesWhatIsNoRegularFileOfDataFileSize) {
    struct Case {
        const char* why;
        FileFault fault;
        std::function<fs::path(const fs::path& folder)> arrange; // empty path: skipped
    };
    const Case cases[] = {
#ifndef _WIN32 // FIFOs and devices in the file system are Linux's
        {"a FIFO without a writer", FileFault::NotRegularFile,
         [](const fs::path& folder) {
             mkfifo((folder / "fifo").c_str(), 0600);
             return folder / "fifo";
         }},
        {"an endless device", FileFault::NotRegularFile,
         [](const fs::path&) { return fs::path("/dev/zero"); }},
#endif
        {"a folder", FileFault::NotRegularFile, [](const fs::path& folder) { return folder; }},
        {"a missing file", FileFault::NotFound,
         [](const fs::path& folder) { return folder / "missing.zbdw"; }},
        {"48 MB: a data file with a huge tail", FileFault::TooLarge,
         [](const fs::path& folder) {
             const fs::path path = folder / "huge.zbdw";
             std::ofstream(path, std::ios::binary) << sealRecord("groupMember|");
             fs::resize_file(path, 48u << 20);
             return path;
         }},
#ifndef _WIN32 // Windows has no mode that keeps the owner from reading
        {"a file its owner may not read", FileFault::NoReadPermission,
         [](const fs::path& folder) {
             const fs::path path = folder / "secret.zbdw";
             std::ofstream(path) << "x";
             chmod(path.c_str(), 0);
             return geteuid() == 0 ? fs::path() : path; // root reads it all the same
         }},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const fs::path path = c.arrange(m_folder);
        if (path.empty()) {
            std::cout << "skipped: " << c.why << ": root reads every file\n";
            continue;
        }
        const auto result = readDataFile(test::pathName(path));
        ASSERT_TRUE(std::holds_alternative<FileError>(result));
        EXPECT_EQ(std::get<FileError>(result).fault, c.fault);
        EXPECT_EQ(std::get<FileError>(result).path, test::pathName(path));
    }
}

// The cap rests on what the form lets an operator enter: the capped boxes, the list entries and
// the titles are far below the allowance, and the record with every uncapped box full seals into
// a file that still opens.
TEST_F(OpenedFile, TheLargestRecordTheFormCanProduceOpens) {
    for (int f = 0; f < static_cast<int>(record::Field::groupNumber); ++f) {
        SCOPED_TRACE(record::fieldLabel(static_cast<record::Field>(f)));
        EXPECT_LE(input::byteCap(static_cast<record::Field>(f)).value_or(0), kOtherValueAllowance);
    }
    std::vector<std::span<const record::GbkString>> lists = {
        record::defaultPositionList().entries, record::domesticBirthPlaces(),
        record::foreignBirthPlaces(), record::externalIdentityTitleList().entries};
    for (const record::ReferenceList& list : record::formLists()) {
        lists.push_back(list.entries);
    }
    for (const record::PositionRule& rule : record::positionRules()) {
        lists.push_back(rule.positions);
    }
    for (const auto entries : lists) {
        for (const record::GbkString& entry : entries) {
            EXPECT_LE(entry.size(), kOtherValueAllowance / 4) << record::gbkToUtf8Lossy(entry);
        }
    }

    const std::string fullBox(kEditBoxCharacterLimit * 2, '\xBA'); // 32767 times 汉 (BA BA)
    record::MemberRecord record = test::validApplicant();
    record.groupNumber = "0000130122012035";
    record.filingStatus = record::gbk("其他");
    record.filingNumber = fullBox;
    record.ethnicity = record::gbk("其他");
    record.ethnicityOther = fullBox;
    const input::IdentityNames names{fullBox, fullBox, fullBox, fullBox};
    record.externalIdentityNote =
        *input::completeTitle(record::gbk("大使***夫人;wife of ***,Ambassador"), names);
    const record::MemberRecord expected = record;
    const std::string content = sealRecord(test::fileRecordOf(record));
    EXPECT_GT(content.size(), largestDataFile() * 9 / 10) << "the bound is close";

    const auto read = readDataFile(fileWith("largest.zbdw", content));
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    const auto text = openRecord(std::get<std::string>(read));
    ASSERT_TRUE(text.has_value());
    record::MemberRecord opened;
    ASSERT_EQ(parseFileRecord(*text, opened), ParseStatus::Ok);
    EXPECT_EQ(opened.externalIdentityNote, expected.externalIdentityNote);
    EXPECT_EQ(opened.ethnicityOther, expected.ethnicityOther);
    EXPECT_LT(largestDataFile(), 2u << 20) << "a few megabytes at most";
}

} // namespace
} // namespace parvelin::applicants
