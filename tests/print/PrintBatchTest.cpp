#include "print/PrintBatch.h"

#include "datafile/DataFile.h"
#include "record/GbkText.h"
#include "tests/support/Applicants.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TestData.h"
#include "tests/support/TestFolder.h"
#include "tests/support/UncheckedRecords.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include <gtest/gtest.h>

namespace parvelin::print {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const test::FixedClock kClock(2012y / 5 / 17);

std::string sealed(record::MemberRecord record) {
    return datafile::sealRecord(test::fileRecordOf(std::move(record)));
}

record::MemberRecord named(const char* surname, const char* given) {
    record::MemberRecord applicant = test::validApplicant();
    applicant.surnameChinese = record::gbk(surname);
    applicant.givenNameChinese = record::gbk(given);
    return applicant;
}

// A file name of test::chineseFileName as the clerk reads it.
std::string shownFileName(const std::string& fileName) {
#ifdef _WIN32
    return fileName;
#else
    return record::gbkToUtf8Lossy(fileName);
#endif
}

// One file of a print of several, as the applicants window or the command line gives it.
struct FileCase {
    const char* why;
    std::string fileName;               // file system bytes
    std::optional<std::string> content; // none: the file is missing
    enum class Chosen { No, AsItIs, BeforeAChange } chosen = Chosen::No;
    std::optional<LeftOutReason> reason{}; // none: it prints
    std::string line{};                    // that names it, where it is left out
    std::string jobName{};                 // of the job it makes alone, where it prints
};

class PrintBatchTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string root = test::makeTestFolder("print-batch");
        ASSERT_FALSE(root.empty());
        m_root = test::pathOf(root);
        m_folder = m_root / "2012-05-17";
        fs::create_directory(m_folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    // The file of `c` in the folder, as it is chosen.
    FileToPrint arrange(const FileCase& c) {
        const std::string path = test::pathName(m_folder) + "/" + c.fileName;
        const auto put = [&path](const std::string& content) {
            std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
        };
        if (c.content) {
            put(c.chosen == FileCase::Chosen::BeforeAChange ? sealed(named("赵", "六"))
                                                            : *c.content);
        }
        FileToPrint file{path};
        if (c.chosen != FileCase::Chosen::No) {
            file.chosen = applicants::snapshotOf(path);
        }
        if (c.chosen == FileCase::Chosen::BeforeAChange) {
            put(*c.content);
        }
        return file;
    }

    fs::path m_root;
    fs::path m_folder;
};

std::vector<FileCase> cases(const fs::path& folder) {
    record::MemberRecord noPhoto = test::validApplicant();
    noPhoto.photoNumber.clear();
    const std::string missing = test::pathName(folder) + "/missing.zbdw";
    return {
        {"an applicant that prints", test::chineseFileName("张三.zbdw"), sealed(named("张", "三")),
         FileCase::Chosen::No, std::nullopt, "", "因公护照申请表 - 张三 - 张三"},
        {"a check fails: named by the file, with the check's message", "no-photo.zbdw",
         sealed(noPhoto), FileCase::Chosen::No, LeftOutReason::FailedCheck,
         "no-photo.zbdw：必填项不能为空!"},
        {"a GBK file name reads as the clerk reads it, not as raw bytes",
         test::chineseFileName("四.zbdw"), sealed(noPhoto), FileCase::Chosen::No,
         LeftOutReason::FailedCheck, "四.zbdw：必填项不能为空!"},
        {"a missing file: the reader's reason names its path", "missing.zbdw", std::nullopt,
         FileCase::Chosen::No, LeftOutReason::NotOpened, "文件或文件夹不存在（" + missing + "）"},
        {"a damaged file: the reader's reason names its path", "no-header.zbdw",
         test::readTestData("broken/no-header.zbdw"), FileCase::Chosen::No,
         LeftOutReason::NotOpened, ""},
        {"changed since it was chosen: not printed as it is now", "changed.zbdw",
         sealed(named("李", "四")), FileCase::Chosen::BeforeAChange,
         LeftOutReason::ChangedSinceChosen,
         "changed.zbdw：在申请人列表中选定后又被修改，请重新选择。"},
        {"chosen, and as it was chosen", test::chineseFileName("王五.zbdw"),
         sealed(named("王", "五")), FileCase::Chosen::AsItIs, std::nullopt, "",
         "因公护照申请表 - 王五 - 王五"},
    };
}

// Each file alone: printed, with the job named after the applicant and the file, or left out,
// named with its cause, and no job.
TEST_F(PrintBatchTest, EachFileAlonePrintsOrIsNamedWithItsCause) {
    for (const FileCase& c : cases(m_folder)) {
        SCOPED_TRACE(c.why);
        const FileToPrint file = arrange(c);
        const PrintBatch batch = preparePrintBatch(std::span(&file, 1), kClock);
        if (!c.reason) {
            ASSERT_EQ(batch.jobs.size(), 1u);
            EXPECT_EQ(batch.names, std::vector{shownFileName(c.fileName)});
            EXPECT_EQ(batch.jobName, c.jobName);
            EXPECT_TRUE(batch.leftOut.empty());
            continue;
        }
        EXPECT_TRUE(batch.jobs.empty());
        EXPECT_TRUE(batch.names.empty());
        EXPECT_EQ(batch.jobName, "");
        ASSERT_EQ(batch.leftOut.size(), 1u);
        EXPECT_EQ(batch.leftOut.front().path, file.path);
        EXPECT_EQ(batch.leftOut.front().reason, *c.reason);
        if (c.line.empty()) { // the reader's own words, whatever they are, with the path
            EXPECT_NE(batch.leftOut.front().line.find(file.path), std::string::npos)
                << batch.leftOut.front().line;
        } else {
            EXPECT_EQ(batch.leftOut.front().line, c.line);
        }
    }
}

// All of them in one job: the files that print in the order given, a page each, the others named
// in that order; the job is called after the folder.
TEST_F(PrintBatchTest, SeveralFilesPrintInOrderPastTheOnesLeftOut) {
    std::vector<FileToPrint> files;
    std::vector<std::string> printed;
    std::vector<std::string> leftOut;
    for (const FileCase& c : cases(m_folder)) {
        files.push_back(arrange(c));
        (c.reason ? leftOut : printed).push_back(files.back().path);
    }
    const PrintBatch batch = preparePrintBatch(files, kClock);
    EXPECT_EQ(batch.names, (std::vector<std::string>{"张三.zbdw", "王五.zbdw"}));
    ASSERT_EQ(batch.jobs.size(), 2u);
    EXPECT_EQ(batch.jobs[1].cells.givenNameChinese, record::gbk("五"));
    EXPECT_EQ(batch.jobName, "因公护照申请表 - 2 名申请人 - 2012-05-17");
    std::vector<std::string> named;
    for (const LeftOutFile& file : batch.leftOut) {
        named.push_back(file.path);
    }
    EXPECT_EQ(named, leftOut);
    EXPECT_EQ(batch.leftOutLines().size(), leftOut.size());
    EXPECT_EQ(batch.leftOutLines()[0], "no-photo.zbdw：必填项不能为空!");
}

} // namespace
} // namespace parvelin::print
