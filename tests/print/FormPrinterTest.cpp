#include "print/FormPrinter.h"

#include "print/PrintJob.h"
#include "tests/support/Applicants.h"
#include "tests/support/FixedClock.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/TestData.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace parvelin::print {
namespace {

using record::gbk;
using namespace std::chrono_literals;

const test::FixedClock kClock(2026y / 12 / 7, 42);

PrintJob jobFor(record::MemberRecord record) {
    auto prepared = preparePrintJob(record, kClock);
    EXPECT_TRUE(std::holds_alternative<PrintJob>(prepared));
    return std::get<PrintJob>(prepared);
}

std::vector<std::string> recordPage(const FormSlots& cells, const std::string& payload) {
    test::RecordingCanvas canvas;
    EXPECT_EQ(FormPrinter().drawPage(cells, payload, canvas), barcode::DrawStatus::Ok);
    return canvas.lines;
}

// The line that draws into the given box, e.g. "2035,1809,2525,2030".
std::string lineForBox(const std::vector<std::string>& lines, const std::string& box) {
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(" " + box + " ") != std::string::npos;
    });
    return found == lines.end() ? std::string() : *found;
}

// The font selected for the text drawn into the given box.
std::string fontForBox(const std::vector<std::string>& lines, const std::string& box) {
    auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(" " + box + " ") != std::string::npos;
    });
    while (found != lines.begin()) {
        --found;
        if (found->starts_with("font ")) {
            return *found;
        }
    }
    return {};
}

TEST(FormPrinter, PageOfTheWorkedApplicantMatchesTheDesignedForm) {
    const PrintJob job = jobFor(test::validApplicant());
    test::RecordingCanvas canvas;
    ASSERT_EQ(FormPrinter().drawPage(job.cells, job.payload, canvas), barcode::DrawStatus::Ok);

    std::string expected = test::readTestData("print/page-zhang-san.txt");
    ASSERT_FALSE(canvas.lines.empty());
    const std::string picture =
        canvas.lines.front(); // "picture WxH box": its size follows the symbol
    ASSERT_TRUE(picture.starts_with("picture "));
    const std::string size = picture.substr(8, picture.find(' ', 8) - 8);
    expected.replace(expected.find("{barcode}"), 9, size);
    EXPECT_EQ(canvas.text(), expected);
}

TEST(FormPrinter, LongTextsInFittedCellsGetTheSmallFont) {
    struct Case {
        record::GbkString FormSlots::*slot;
        std::size_t bytes;
        const char* box;
        int points;
        const char* why;
    };
    const Case cases[] = {
        {&FormSlots::surnameChinese, 16, "1015,1809,1485,2030", 12, "29 x 16 = 464 <= 470"},
        {&FormSlots::surnameChinese, 17, "1015,1809,1485,2030", 8, "29 x 17 = 493 > 470"},
        {&FormSlots::externalIdentityNote, 110, "1085,3468,4249,3689", 12, "29 x 110 = 3190"},
        {&FormSlots::externalIdentityNote, 111, "1085,3468,4249,3689", 8, "29 x 111 = 3219"},
        {&FormSlots::givenNamePinyin, 34, "2035,2046,3025,2267", 12, "29 x 34 = 986 <= 990"},
        {&FormSlots::givenNamePinyin, 35, "2035,2046,3025,2267", 8, "29 x 35 = 1015 > 990"},
        {&FormSlots::externalUnit, 36, "3055,2757,4249,2978", 12, "29 x 36 = 1044, the width"},
        {&FormSlots::externalUnit, 37, "3055,2757,4249,2978", 8, "29 x 37 = 1073 > 1044"},
        {&FormSlots::remarks, 111, "1085,3705,4249,3909", 8, "remarks, fitted to 3200"},
        {&FormSlots::positionText, 200, "3055,2520,4249,2741", 12, "no fitted width"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        PrintJob job = jobFor(test::validApplicant());
        job.cells.*c.slot = std::string(c.bytes, 'W');
        const auto lines = recordPage(job.cells, job.payload);
        EXPECT_EQ(fontForBox(lines, c.box), "font 宋体 " + std::to_string(c.points) + " 400");
    }
    // The byte count decides: 8 Chinese characters are 16 bytes.
    PrintJob job = jobFor(test::validApplicant());
    job.cells.surnameChinese = gbk("欧阳欧阳欧阳欧阳");
    EXPECT_EQ(fontForBox(recordPage(job.cells, job.payload), "1015,1809,1485,2030"),
              "font 宋体 12 400");
}

TEST(FormPrinter, OtherChoicesPrintTheirDescriptions) {
    record::MemberRecord r = test::validApplicant();
    r.position = gbk("其他");
    r.positionOther = gbk("翻译");
    r.ethnicity = gbk("其他");
    r.ethnicityOther = gbk("克木人");
    r.filingStatus = gbk("其他");
    r.filingNumber = "BA-2012-7";
    r.heldPassportStatus = gbk("需注销");
    r.heldPassportNumber = "G12345678";
    r.nameDot = gbk("·");
    const PrintJob job = jobFor(r);
    const auto lines = recordPage(job.cells, job.payload);
    EXPECT_EQ(lineForBox(lines, "3055,2520,4249,2741"), "text Wrap 3055,2520,4249,2741 翻译");
    EXPECT_EQ(lineForBox(lines, "2785,2046,3262,2267"),
              "text WrapCentred 2785,2046,3262,2267 克木人");
    EXPECT_EQ(lineForBox(lines, "1085,3231,2545,3452"), "text Wrap 1085,3231,2545,3452 BA-2012-7");
    EXPECT_EQ(lineForBox(lines, "1275,2994,2545,3215"),
              "text WrapEdit 1275,2994,2545,3215 需注销G12345678");
    EXPECT_EQ(lineForBox(lines, "1015,1809,1485,2030"), "text WrapEdit 1015,1809,1485,2030 张·");
    EXPECT_EQ(lineForBox(lines, "1015,2046,1485,2267"), "text WrapEdit 1015,2046,1485,2267 ZHANG·");
    EXPECT_EQ(lineForBox(lines, "2760,1448,4754,1587"),
              "text Wrap 2760,1448,4754,1587 0000130122012035_4711");
}

TEST(FormPrinter, PrintCommandsCheckFirst) {
    record::MemberRecord r = test::validApplicant();
    r.photoNumber = "123";
    auto prepared = preparePrintJob(r, kClock);
    ASSERT_TRUE(std::holds_alternative<datafile::CheckFailure>(prepared));
    EXPECT_EQ(std::get<datafile::CheckFailure>(prepared).message, datafile::message::kPhotoNumber);
}

TEST(FormPrinter, PayloadTooLongLeavesThePageEmptyAndWarnsOncePerJob) {
    PrintJob job = jobFor(test::validApplicant());
    job.payload = std::string(5421, 'A');
    std::vector<std::string> warnings;
    const auto warn = [&](std::string_view message) { warnings.emplace_back(message); };
    for (int repaint = 0; repaint < 3; ++repaint) {
        test::RecordingCanvas canvas;
        EXPECT_EQ(drawFormPage(job, canvas, warn), barcode::DrawStatus::PayloadTooLong);
        EXPECT_TRUE(canvas.lines.empty()) << "nothing of the page is drawn";
    }
    EXPECT_EQ(warnings, std::vector<std::string>{"数据太长，二维码不正确！"});

    PrintJob next = jobFor(test::validApplicant());
    next.payload = std::string(3000, '\xB0');
    test::RecordingCanvas canvas;
    EXPECT_EQ(drawFormPage(next, canvas, warn), barcode::DrawStatus::PayloadTooLong);
    EXPECT_EQ(warnings.size(), 2u) << "a new print command warns again";
}

TEST(FormPrinter, PictureThatCannotBeDrawnStopsThePageAndSaysSo) {
    PrintJob job = jobFor(test::validApplicant());
    test::RecordingCanvas canvas;
    canvas.pictureDrawable = false;
    std::vector<std::string> warnings;
    const auto warn = [&](std::string_view message) { warnings.emplace_back(message); };
    EXPECT_EQ(drawFormPage(job, canvas, warn), barcode::DrawStatus::PictureFailed);
    ASSERT_EQ(canvas.lines.size(), 1u) << "nothing after the picture is drawn";
    EXPECT_TRUE(canvas.lines.front().starts_with("picture "));
    EXPECT_EQ(warnings, std::vector<std::string>{"图片加载失败！"});
}

} // namespace
} // namespace parvelin::print
