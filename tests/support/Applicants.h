#pragma once

#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <random>

namespace parvelin::test {

// An applicant that passes every check: 张三 of unit 000013012 with approval number 外字[2012]35号.
inline record::MemberRecord validApplicant() {
    using record::gbk;
    using namespace std::chrono_literals;
    record::MemberRecord r;
    r.unitCode = "000013012";
    r.unitName = gbk("外交部");
    r.approvalKind = gbk("批件");
    r.approvalNumber = gbk("外字[2012]35号");
    r.personalSequence = "4711";
    r.surnameChinese = gbk("张");
    r.givenNameChinese = gbk("三");
    r.surnamePinyin = "ZHANG";
    r.givenNamePinyin = "SAN";
    r.sex = gbk("男");
    r.idDocumentType = gbk("身份证");
    r.idDocumentNumber = "110101198001010010";
    r.birthPlaceScope = gbk("国内");
    r.birthPlace = gbk("北京");
    r.birthDate = 1980y / 1 / 1;
    r.workUnit = gbk("亚洲司");
    r.occupationCategory = gbk("国家公务员");
    r.position = gbk("科员");
    r.heldPassportStatus = gbk("无");
    r.photoNumber = "12345678901234567890";
    r.filingStatus = gbk("已备案");
    r.ethnicity = gbk("汉");
    r.remarkCategory = std::string(1, ' '); // not = " ": GCC 12 -O3 warns falsely (-Wrestrict)
    r.fillDate = 2012y / 5 / 17;
    return r;
}

// Random GBK text of up to `maxCharacters` characters: Chinese characters, the middle dot, ASCII
// letters and digits, CR LF, and characters whose second byte is "|", "[" or "]". It never holds
// a single-byte "|".
inline record::GbkString randomGbkText(std::mt19937& random, int maxCharacters) {
    static const char* const kPieces[] = {
        "\xD5\xC5", "\xC8\xFD", "\xCD\xF5", "\xA1\xA4", "A", "z", "0", "9", " ",        "\r\n",
        "\x81\x7C", "\x83\x5B", "\x84\x5D", "\xBA\xC5", "-", "[", "]", "*", "\xA1\xA1", ";",
    };
    std::uniform_int_distribution<int> length(0, maxCharacters);
    std::uniform_int_distribution<int> piece(0, std::size(kPieces) - 1);
    record::GbkString text;
    for (int i = length(random); i > 0; --i) {
        text += kPieces[piece(random)];
    }
    return text;
}

} // namespace parvelin::test
