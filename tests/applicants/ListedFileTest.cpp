#include "applicants/ListedFile.h"

#include "applicants/FolderQuestions.h"
#include "applicants/OpenedFile.h"
#include "datafile/DataFile.h"
#include "tests/support/Applicants.h"
#include "tests/support/TestFolder.h"
#include "tests/support/UncheckedRecords.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace parvelin::applicants {
namespace {

using datafile::sealRecord;
using disk::FileError;
using disk::FileFault;

namespace fs = std::filesystem;
using record::gbk;
using record::MemberRecord;

constexpr std::int64_t kSecond = 1'000'000'000;
// What the listing keeps of the 250 ms past the second that each file is saved at: the Windows
// listing holds whole seconds, as the C runtime's struct stat does there.
#ifdef _WIN32
constexpr std::int64_t kListedFraction = 0;
#else
constexpr std::int64_t kListedFraction = 250'000'000;
#endif

class ListedFiles : public testing::Test {
protected:
    void SetUp() override {
        m_folder = test::makeTestFolder("listed-files");
        ASSERT_FALSE(m_folder.empty());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(test::pathOf(m_folder), ignored);
    }
    // A file saved at `second` since the epoch (and 250 ms).
    void put(const std::string& name, std::string_view content, std::int64_t second) {
        test::writeTestFile(m_folder + "/" + name, content);
        ASSERT_TRUE(test::setModified(m_folder + "/" + name, second, 250'000'000));
    }
    std::string m_folder;
};

// A name that no code page reads, and how it is shown. Windows names are Unicode and shown as
// they are: there a character that GBK lacks (þ) stands in for it.
#ifdef _WIN32
const std::string kUnreadName = "k\xC3\xBE.zbdw";
const std::string kUnreadShown = kUnreadName;
#else
const std::string kUnreadName = "k\xFE.zbdw";
const std::string kUnreadShown = "k\\xFE.zbdw";
#endif

MemberRecord applicant(std::string_view idNumber, std::string_view group,
                       std::string_view sequence) {
    MemberRecord r = test::validApplicant();
    r.idDocumentNumber = idNumber;
    r.groupNumber = group;
    r.personalSequence = sequence;
    return r;
}

constexpr std::string_view kGroup = "0000130122012035";
constexpr std::string_view kOtherGroup = "0000130122012036";
constexpr std::string_view kId = "110101198001010010";

// Files of one folder: the same identity number, the same group and sequence number, neither,
// one that does not open, and entries that are no data files.
TEST_F(ListedFiles, EveryDataFileWithItsApplicantOrCauseAndItsDuplicates) {
    struct Made {
        std::string name;
        std::optional<MemberRecord> applicant; // std::nullopt: a broken file
        std::vector<std::string> duplicates;
        const char* why;
    };
    const std::string firstThree = "证件号码与“m1.zbdw”、“m2.zbdw”、“m3.zbdw”等 5 个文件相同";
    const Made made[] = {
        {"a.zbdw",
         applicant(kId, kGroup, "1"),
         {"证件号码与“b.zbdw”、“e.zbdw”相同", "团组号和个人序号与“c.zbdw”相同"},
         "both kinds, several files named"},
        {"b.zbdw", applicant(kId, kGroup, "2"), {"证件号码与“a.zbdw”、“e.zbdw”相同"}, "same id"},
        {"c.zbdw",
         applicant("110101198001010036", kGroup, " 1 "),
         {"团组号和个人序号与“a.zbdw”相同"},
         "sequence number compared trimmed"},
        {"d.zbdw",
         applicant("110101198001010052", kOtherGroup, "1"),
         {},
         "the same sequence number in another group"},
        {"e.zbdw",
         applicant(" 110101198001010010 ", kOtherGroup, "2"),
         {"证件号码与“a.zbdw”、“b.zbdw”相同"},
         "id number compared trimmed"},
        {"f.zbdw", applicant("", kOtherGroup, "7"), {}, "an empty id number is nobody's"},
        {"g.zbdw", applicant(" ", kOtherGroup, ""), {}, "nor is a blank one, or no sequence"},
        {"h.zbdw", applicant("", kOtherGroup, ""), {}, "no sequence number in the group"},
        {test::chineseFileName("张.zbdw"),
         applicant("999", kOtherGroup, "9"),
         {"证件号码与“i.zbdw”相同"},
         "a GBK file name"},
        {"i.zbdw",
         applicant("999", kOtherGroup, "10"),
         {"证件号码与“张.zbdw”相同"},
         "named decoded"},
        {"j.ZBDW",
         applicant("555", kOtherGroup, "20"),
         {"证件号码与“" + kUnreadShown + "”、“l.Zbdw”相同"},
         "the suffix in capitals"},
        {kUnreadName,
         applicant("555", kOtherGroup, "21"),
         {"证件号码与“j.ZBDW”、“l.Zbdw”相同"},
         "a name neither UTF-8 nor GBK, named with its byte escaped"},
        {"l.Zbdw",
         applicant("555", kOtherGroup, "22"),
         {"证件号码与“j.ZBDW”、“" + kUnreadShown + "”相同"},
         "the suffix in mixed case"},
        {"m1.zbdw",
         applicant("77", kOtherGroup, "11"),
         {"证件号码与“m2.zbdw”、“m3.zbdw”、“m4.zbdw”等 5 个文件相同"},
         "three files named, then how many"},
        {"m2.zbdw",
         applicant("77", kOtherGroup, "12"),
         {"证件号码与“m1.zbdw”、“m3.zbdw”、“m4.zbdw”等 5 个文件相同"},
         "the others of each"},
        {"m3.zbdw",
         applicant("77", kOtherGroup, "13"),
         {"证件号码与“m1.zbdw”、“m2.zbdw”、“m4.zbdw”等 5 个文件相同"},
         "the first three others"},
        {"m4.zbdw", applicant("77", kOtherGroup, "14"), {firstThree}, "the first three others"},
        {"m5.zbdw", applicant("77", kOtherGroup, "15"), {firstThree}, "the first three others"},
        {"m6.zbdw", applicant("77", kOtherGroup, "16"), {firstThree}, "five others, counted"},
        {"n1.zbdw",
         applicant("88", kOtherGroup, "41"),
         {"证件号码与“n2.zbdw”、“n3.zbdw”、“n4.zbdw”相同"},
         "exactly three others: all named, no count"},
        {"n2.zbdw",
         applicant("88", kOtherGroup, "42"),
         {"证件号码与“n1.zbdw”、“n3.zbdw”、“n4.zbdw”相同"},
         "exactly three others"},
        {"n3.zbdw",
         applicant("88", kOtherGroup, "43"),
         {"证件号码与“n1.zbdw”、“n2.zbdw”、“n4.zbdw”相同"},
         "exactly three others"},
        {"n4.zbdw",
         applicant("88", kOtherGroup, "44"),
         {"证件号码与“n1.zbdw”、“n2.zbdw”、“n3.zbdw”相同"},
         "exactly three others"},
        {"x1.zbdw",
         applicant("11010519491231002x", kOtherGroup, "31"),
         {"证件号码与“x2.zbdw”相同"},
         "a check character x is X"},
        {"x2.zbdw",
         applicant("11010519491231002X", kOtherGroup, "32"),
         {"证件号码与“x1.zbdw”相同"},
         "... either way round"},
        {"no-header.zbdw", std::nullopt, {}, "a broken file is listed"},
    };
    std::int64_t second = 1'337'212'800;
    for (const Made& m : made) {
        put(m.name, m.applicant ? sealRecord(test::fileRecordOf(*m.applicant)) : "not a data file",
            ++second);
    }
    for (const char* name : {".zbdw", "notes.txt", "a.zbdw.bak"}) {
        put(name, sealRecord(test::fileRecordOf(*made[0].applicant)), second);
    }
    fs::create_directory(test::pathOf(m_folder) / "sub.zbdw");
#ifndef _WIN32 // a FIFO blocks its reader on Linux only
    ASSERT_EQ(mkfifo((m_folder + "/fifo.zbdw").c_str(), 0600), 0) << "a writer never comes";
#endif

    auto listed = listDataFiles(m_folder);
    ASSERT_TRUE(std::holds_alternative<std::vector<ListedFile>>(listed));
    const auto& files = std::get<std::vector<ListedFile>>(listed);
    std::vector<const Made*> expected;
    for (const Made& m : made) {
        expected.push_back(&m);
    }
    std::sort(expected.begin(), expected.end(),
              [](const Made* a, const Made* b) { return a->name < b->name; });
    ASSERT_EQ(files.size(), expected.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Made& m = *expected[i];
        SCOPED_TRACE(m.why);
        EXPECT_EQ(files[i].fileName, m.name);
        EXPECT_EQ(files[i].duplicates, m.duplicates);
        const std::int64_t saved = 1'337'212'801 + (&m - made);
        EXPECT_EQ(files[i].modifiedNanoseconds, saved * kSecond + kListedFraction);
        if (m.applicant) {
            ASSERT_TRUE(files[i].applicant.has_value()) << files[i].failure;
            EXPECT_EQ(files[i].applicant->idDocumentNumber, m.applicant->idDocumentNumber);
            EXPECT_EQ(files[i].failure, "");
        } else {
            EXPECT_FALSE(files[i].applicant.has_value());
            const std::string path = m_folder + "/" + m.name;
            EXPECT_EQ(files[i].failure, "不是数据文件（解密后没有记录）（" + path + "）");
            EXPECT_EQ(files[i].failure,
                      std::get<OpenFailure>(openDataFile(path, MemberRecord{})).reason);
        }
    }

    // Save's duplicate questions read the same files, those that open.
    EXPECT_EQ(readFolderApplicants(m_folder).size(), files.size() - 1);

    const auto missing = listDataFiles(m_folder + "/missing");
    ASSERT_TRUE(std::holds_alternative<FileError>(missing));
    EXPECT_EQ(std::get<FileError>(missing).fault, FileFault::NotFound);
}

TEST(ListedFile, FilterMatchesNamePinyinOrANumber) {
    ListedFile zhang{"a.zbdw", applicant("11010519491231002X", kGroup, "4711"), "", 0, {}};
    MemberRecord dotted = applicant("110101198001010010", kOtherGroup, "12");
    dotted.surnameChinese = gbk("买买提·");
    dotted.givenNameChinese = gbk("艾力");
    dotted.surnamePinyin = gbk("MAIMAITI·");
    dotted.givenNamePinyin = "AILI";
    ListedFile maimaiti{"b.zbdw", dotted, "", 0, {}};
    MemberRecord latinTrail = zhang.applicant.value();
    latinTrail.surnameChinese = "\x81\x61"; // a character whose second byte is "a"
    latinTrail.surnamePinyin = "QI";
    latinTrail.givenNamePinyin = "";
    ListedFile trail{"c.zbdw", latinTrail, "", 0, {}};
    const ListedFile broken{gbk("损坏的张三.zbdw"), std::nullopt, "不是数据文件", 0, {}};

    struct Case {
        std::string_view typed;
        bool zhang, maimaiti, broken;
        const char* why;
    };
    const Case cases[] = {
        {"", true, true, true, "an empty filter shows all"},
        {"  ", true, true, true, "blanks too"},
        {"张三", true, false, true, "Chinese name; a broken file by its file name"},
        {"张 三", true, false, true, "blanks not counted"},
        {"zhang san", true, false, false, "pinyin, either case, blanks not counted"},
        {"ZhangSan", true, false, false, "pinyin across surname and given name"},
        {"买买提艾力", false, true, false, "the name separator not counted"},
        {"maimaiti ai", false, true, false, "nor in the pinyin"},
        {"4711", true, false, false, "personal sequence number"},
        {"1231002x", true, false, false, "identity number, X in either case"},
        {"2012036", false, true, false, "group number"},
        {"李", false, false, false, "nobody"},
        {"😀", false, false, false, "a character GBK cannot hold"},
        {"zbdw", false, false, true, "the file name only for a file that did not open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(matchesFilter(zhang, c.typed), c.zhang);
        EXPECT_EQ(matchesFilter(maimaiti, c.typed), c.maimaiti);
        EXPECT_EQ(matchesFilter(broken, c.typed), c.broken);
    }
    EXPECT_FALSE(matchesFilter(trail, "a")) << "a second byte is no letter";
    EXPECT_TRUE(matchesFilter(trail, "q"));

    EXPECT_EQ(pinyinName(*zhang.applicant), "ZHANG SAN");
    EXPECT_EQ(pinyinName(dotted), gbk("MAIMAITI·AILI"));
    EXPECT_EQ(chineseName(dotted), gbk("买买提·艾力"));
}

TEST(ListedFile, NumbersSortAsNumbers) {
    struct Case {
        std::string a, b;
        bool before;
        const char* why;
    };
    const Case cases[] = {
        {"2", "10", true, "2 before 10"},
        {"10", "2", false, "and not the other way round"},
        {"a2.zbdw", "a10.zbdw", true, "numbers inside a text"},
        {"007", "8", true, "leading zeros do not count"},
        {"12", "12", false, "equal"},
        {"", "0", true, "empty first"},
        {"1", "1a", true, "a prefix first"},
        {"0000130122012035", "0000130122012036", true, "group numbers"},
        {"11010119800101001X", "110101198001010010", true, "the shorter run of digits"},
        {gbk("啊"), gbk("张"), true, "GBK names in pinyin order"},
        {"Z", gbk("啊"), true, "Latin before Chinese"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(sortsBefore(c.a, c.b), c.before);
    }
}

} // namespace
} // namespace parvelin::applicants
