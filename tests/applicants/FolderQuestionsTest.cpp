#include "applicants/FolderQuestions.h"

#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "tests/support/SaveQuestionCases.h"
#include "tests/support/TestFolder.h"
#include "tests/support/UncheckedRecords.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace parvelin::applicants {
namespace {

using datafile::SaveQuestion;
using datafile::sealRecord;
using record::Field;
using record::gbk;
using record::MemberRecord;
using namespace std::chrono_literals;

using test::checkedApplicant;
using test::fieldsOf;

// Written back in place, an opened applicant keeps its file name, which began with the group
// number it was first saved with.
TEST(FolderQuestions, AGroupNumberDerivedAnewForAnOpenedFile) {
    const MemberRecord r = checkedApplicant();
    EXPECT_EQ(groupNumberChangeQuestion(r, "0000130122012035", "a.zbdw"), std::nullopt)
        << "the same number";
    EXPECT_EQ(groupNumberChangeQuestion(r, "", "a.zbdw"), std::nullopt) << "the file held none";
    const auto question = groupNumberChangeQuestion(r, "0000130122026099", "\xD5\xC5.zbdw");
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->field, Field::approvalNumber);
    EXPECT_EQ(question->text, "团组号将由 0000130122026099 改为 0000130122012035。数据文件仍保存为"
                              "“张.zbdw”，文件名不随团组号改变。是否仍要保存？");
}

TEST(FolderQuestions, OtherFilesOfTheFolder) {
    MemberRecord self = checkedApplicant();
    self.idDocumentNumber = "11010519491231002X";
    MemberRecord sameNumber = self;
    sameNumber.personalSequence = "1";
    MemberRecord smallX = sameNumber;
    smallX.idDocumentNumber = "11010519491231002x";
    MemberRecord sameSequence = self;
    sameSequence.idDocumentNumber = "110101198001010010";
    MemberRecord otherGroup = sameSequence;
    otherGroup.groupNumber = "0000130122012036";
    struct Case {
        std::vector<FolderApplicant> folder;
        std::vector<Field> asked;
        const char* why;
    };
    const Case cases[] = {
        {{{"a.zbdw", otherGroup}}, {}, "same sequence number in another group"},
        {{{"a.zbdw", sameNumber}}, {Field::idDocumentNumber}, "same identity number"},
        {{{"a.zbdw", smallX}}, {Field::idDocumentNumber}, "a check character x is X"},
        {{{"a.zbdw", sameSequence}}, {Field::personalSequence}, "same group and sequence"},
        {{{"self.zbdw", self}}, {}, "the file being written is not another file"},
        {{{"a.zbdw", sameNumber}, {"b.zbdw", self}},
         {Field::idDocumentNumber, Field::personalSequence},
         "one question of each kind"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(fieldsOf(folderQuestions(self, c.folder, "self.zbdw")), c.asked);
    }
    const std::vector<FolderApplicant> folder = {{"\xD5\xC5.zbdw", sameNumber}};
    EXPECT_EQ(folderQuestions(self, folder, "").front().text,
              "同一文件夹中的数据文件“张.zbdw”已有相同的证件号码。是否仍要保存？")
        << "a file name in GBK bytes is shown decoded";
}

// A file that a save would write over: the applicant's own file goes on the Save dialog's question
// alone; another applicant's file, or one that does not open, is named with what would be lost.
TEST(FolderQuestions, ReplacingAFileThatHoldsSomeoneElse) {
    MemberRecord self = checkedApplicant();
    self.idDocumentNumber = "11010519491231002X";
    self.personalSequence = "3";
    const auto file = [](std::string name, std::optional<MemberRecord> applicant,
                         std::string failure = {}) {
        ListedFile listed;
        listed.fileName = std::move(name);
        listed.applicant = std::move(applicant);
        listed.failure = std::move(failure);
        return listed;
    };
    const auto held = [&self, &file](const std::function<void(MemberRecord&)>& change) {
        MemberRecord r = self;
        change(r);
        return file("a.zbdw", r);
    };
    struct Case {
        ListedFile existing;
        bool asked;
        const char* why;
    };
    const Case cases[] = {
        {held([](MemberRecord&) {}), false, "the applicant's own file"},
        {held([](MemberRecord& r) { r.idDocumentNumber = "11010519491231002x"; }), false,
         "a final x is the X that cards print"},
        {held([](MemberRecord& r) { r.personalSequence = " 3 "; }), false,
         "values compared trimmed, as the checks leave them"},
        {held([](MemberRecord& r) { r.idDocumentNumber = "110105198001010016"; }), true,
         "another identity number"},
        {held([](MemberRecord& r) { r.idDocumentNumber = "11010519491231002"; }), true,
         "the number without its check character"},
        {held([](MemberRecord& r) { r.personalSequence = "6"; }), true,
         "another personal sequence number of the group"},
        {held([](MemberRecord& r) { r.groupNumber = "0000130122012036"; }), true,
         "the same sequence number in another group"},
        {file("a.zbdw", std::nullopt, "不是数据文件（解密后没有记录）（/d/a.zbdw）"), true,
         "a file that does not open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(replaceQuestion(c.existing, self).has_value(), c.asked);
    }
    MemberRecord other = self;
    other.surnameChinese = gbk("王");
    other.givenNameChinese = gbk("伟");
    other.idDocumentNumber = "110105194912310021";
    other.personalSequence = "6";
    EXPECT_EQ(replaceQuestion(file("0000130122012035_\xCD\xF5\xCE\xB0.zbdw", other), self),
              "文件“0000130122012035_王伟.zbdw”中保存的是另一位申请人：王伟（证件号码 "
              "110105194912310021，个人序号 6）。替换该文件，这位申请人的数据将会丢失。");
    EXPECT_EQ(replaceQuestion(cases[7].existing, self),
              "文件“a.zbdw”无法作为数据文件打开：不是数据文件（解密后没有记录）（/d/a.zbdw）。"
              "替换后其原有内容将丢失。");
}

TEST(FolderQuestions, NextSequenceOfTheGroup) {
    const auto of = [](const char* group, const char* sequence) {
        MemberRecord r;
        r.groupNumber = group;
        r.personalSequence = sequence;
        return FolderApplicant{"x.zbdw", r};
    };
    struct Case {
        std::vector<FolderApplicant> folder;
        std::optional<std::string> expected;
        const char* why;
    };
    const Case cases[] = {
        {{}, "1", "no file of the group"},
        {{of("G", "3"), of("G", "12"), of("G", "7")}, "13", "after the largest, not the last"},
        {{of("G", "3"), of("H", "40")}, "4", "another group's numbers do not count"},
        {{of("G", " 5 "), of("G", "x9"), of("G", "")}, "6", "trimmed; a text is no number"},
        {{of("G", "9998")}, "9999", "four digits at most"},
        {{of("G", "3"), of("G", "9999")}, std::nullopt, "none after 9999, which the group has"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(nextPersonalSequence(c.folder, "G"), c.expected);
    }
}

// Real files: data files among others that are not, and one that blocks when read.
TEST(FolderApplicants, OnlyTheDataFilesThatOpen) {
    namespace fs = std::filesystem;
    const std::string made = test::makeTestFolder("folder-applicants");
    ASSERT_FALSE(made.empty());
    const fs::path folder = test::pathOf(made);
    fs::create_directories(folder / "sub.zbdw");
    const auto write = [&](const std::string& name, const std::string& content) {
        test::writeTestFile(made + "/" + name, content);
    };
    MemberRecord first = checkedApplicant();
    MemberRecord second = first;
    second.personalSequence = "2";
    write("b.zbdw", sealRecord(test::fileRecordOf(second)));
    write("a.zbdw", sealRecord(test::fileRecordOf(first)));
    // The suffix in any case: the files the applicants window lists.
    write("c.ZBDW", sealRecord(test::fileRecordOf(first)));
    write("copy.zbdw.txt", sealRecord(test::fileRecordOf(first)));
    write("damaged.zbdw", "not a data file");
    write(".zbdw", sealRecord(test::fileRecordOf(first)));
#ifndef _WIN32 // names are bytes, and a FIFO blocks its reader, on Linux only
    // A name in no code page, listed as its bytes.
    write("d\xFE.Zbdw", sealRecord(test::fileRecordOf(second)));
    ASSERT_EQ(mkfifo((folder / "fifo.zbdw").c_str(), 0600), 0);
    constexpr std::size_t kOpened = 4;
#else
    constexpr std::size_t kOpened = 3;
#endif

    const std::vector<FolderApplicant> applicants = readFolderApplicants(made);
    ASSERT_EQ(applicants.size(), kOpened);
    EXPECT_EQ(applicants[0].fileName, "a.zbdw");
    EXPECT_EQ(applicants[1].fileName, "b.zbdw");
    EXPECT_EQ(applicants[1].record.personalSequence, "2");
    EXPECT_EQ(applicants[2].fileName, "c.ZBDW");
#ifndef _WIN32
    EXPECT_EQ(applicants[3].fileName, "d\xFE.Zbdw") << "by its own bytes";
    EXPECT_EQ(applicants[3].record.personalSequence, "2");
#endif
    EXPECT_TRUE(readFolderApplicants(made + "/missing").empty());
    fs::remove_all(folder);
}

} // namespace
} // namespace parvelin::applicants
