#pragma once

#include "print/PrintJob.h"
#include "print/qt/PageOutput.h"
#include "record/GbkText.h"
#include "tests/support/Applicants.h"
#include "tests/support/FixedClock.h"

#include <stdexcept>
#include <string>
#include <vector>

#include <QImage>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

namespace parvelin::print::test {

inline PrintJob jobFor(record::MemberRecord record) {
    using namespace std::chrono_literals;
    auto prepared = preparePrintJob(record, parvelin::test::FixedClock(2012y / 5 / 17));
    if (!std::holds_alternative<PrintJob>(prepared)) {
        throw std::runtime_error("test applicant fails a check");
    }
    return std::get<PrintJob>(prepared);
}

inline const Warn kNoWarning = [](std::string_view message) {
    ADD_FAILURE() << "unexpected warning " << message;
};

// The payload of a PDF417 symbol on an image, as zxing-cpp reads it; "<unread>" if it cannot.
inline std::string readBarcode(const QImage& image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, grey.bytesPerLine());
    const ZXing::Result result =
        ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::PDF417));
    return result.isValid() ? std::string(result.bytes().asString()) : "<unread>";
}

// Applicants that push every cell of the page to its limits, as printing prepares them.
struct DemandingApplicant {
    const char* why;
    PrintJob job;
};

inline std::vector<DemandingApplicant> demandingApplicants() {
    using record::gbk;
    PrintJob longNames = jobFor(parvelin::test::validApplicant());
    longNames.cells.surnamePinyin = "SHANGGUAN";
    longNames.cells.givenNamePinyin = "SHUANGSHUANGXIANG"; // runs over 民族, as designed
    longNames.cells.remarks =
        gbk("随任配偶\r\n联系人：张三，电话 010-65961114\r\n赴辽宁省参加会议后出国");
    longNames.cells.externalIdentityNote =
        gbk("一等秘书;First Secretary of the Embassy of the People's Republic of China, Kingdom "
            "of Spain");
    longNames.cells.positionText =
        gbk("驻外使领馆经济商务参赞处一等秘书兼领事部副主任助理"); // 3 lines

    PrintJob smallFonts = jobFor(parvelin::test::validApplicant());
    smallFonts.cells.surnameChinese = gbk("欧阳欧阳欧阳欧阳欧");
    smallFonts.cells.givenNamePinyin = "ZHUANGSHUANGXIANGCHUANGGUANGHUANGQI";
    smallFonts.cells.workUnit = gbk("中华人民共和国外交部亚洲司东北亚处及朝鲜半岛事务办公室综合组");
    smallFonts.cells.externalUnit = gbk("中华人民共和国驻大不列颠及北爱尔兰联合王国大使馆");
    smallFonts.cells.externalIdentity = gbk("大使馆经济商务参赞处参赞兼总领事馆领事部主任");
    smallFonts.cells.externalIdentityNote =
        gbk("新华社分社社长;Bureau Director of the Xinhua News Agency, with the accreditation "
            "of the Ministry of Foreign Affairs, gjpqy");
    smallFonts.cells.remarks =
        gbk("随任配偶，联系人：张三，电话 010-65961114，赴辽宁省参加会议后出国，"
            "途经香港，另有随行人员两名，详见附件，请予办理。");
    smallFonts.cells.filingText =
        gbk("特批准持签发种类年限另行通知备案号码待补充另行通知并报领事司审核");
    return {{"long pinyin, two-line remarks, long titles", longNames},
            {"the 8-point fitted fonts", smallFonts}};
}

} // namespace parvelin::print::test
