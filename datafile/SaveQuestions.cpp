#include "datafile/SaveQuestions.h"

#include "record/GbkText.h"
#include "record/IdNumber.h"

#include <algorithm>

namespace parvelin::datafile {

namespace {

using record::Field;

} // namespace

std::string shownInQuestion(record::GbkStringView value) {
    return record::gbkToUtf8Lossy(value);
}

std::string quoted(std::string_view text) {
    return "“" + std::string(text) + "”";
}

bool sameApplicant(const record::MemberRecord& stored, const record::MemberRecord& checked) {
    return record::idNumberKey(stored.idDocumentNumber) ==
               record::idNumberKey(checked.idDocumentNumber) &&
           record::trimmed(stored.groupNumber) == record::trimmed(checked.groupNumber) &&
           record::trimmed(stored.personalSequence) == record::trimmed(checked.personalSequence);
}

std::vector<SaveQuestion> applicantQuestions(const record::MemberRecord& r, bool groupNumberDrawn) {
    std::vector<SaveQuestion> questions;
    const auto ask = [&](std::string text, Field field) {
        questions.push_back({std::move(text) + std::string(kSaveAnyway), field});
    };
    if (groupNumberDrawn) {
        ask("出国任务批件号中找不到用〔〕或[]括起的年份和其后的文号（如 "
            "外字〔2026〕118号），团组号只能临时定为 " +
                shownInQuestion(r.groupNumber) + "，同一团组的人员可能得到不同的团组号。",
            Field::approvalNumber);
    }
    switch (record::idNumberForm(r.idDocumentType, r.idDocumentNumber)) {
    case record::IdNumberForm::NotDigits:
        ask("身份证号码应全部由数字组成（18位号码的最后一位可以是X）。", Field::idDocumentNumber);
        break;
    case record::IdNumberForm::CheckCharacterWrong:
        ask("身份证号码的最后一位（校验码）与前17位不符，号码可能有误。", Field::idDocumentNumber);
        break;
    case record::IdNumberForm::Unexamined:
    case record::IdNumberForm::Consistent:
        break;
    }
    if (const auto recorded = record::birthDateFromIdNumber(r.idDocumentType, r.idDocumentNumber);
        recorded && *recorded != r.birthDate) {
        ask("出生日期 " + record::formatDate(r.birthDate) + " 与身份证号码中的出生日期 " +
                record::formatDate(*recorded) + " 不符。",
            Field::birthDate);
    }
    if (r.birthDate > r.fillDate) {
        ask("出生日期 " + record::formatDate(r.birthDate) + " 晚于填表日期 " +
                record::formatDate(r.fillDate) + "。",
            Field::birthDate);
    }
    if (const auto sex = record::sexFromIdNumber(r.idDocumentType, r.idDocumentNumber);
        sex && *sex != r.sex) {
        ask("身份证号码表明性别为" + shownInQuestion(*sex) + "，与所选性别" +
                quoted(shownInQuestion(r.sex)) + "不符。",
            Field::sex);
    }
    return questions;
}

} // namespace parvelin::datafile
