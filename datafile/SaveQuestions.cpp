#include "datafile/SaveQuestions.h"

#include "datafile/PathNames.h"
#include "record/GbkText.h"
#include "record/IdNumber.h"

#include <algorithm>

namespace parvelin::datafile {

namespace {

using record::Field;

constexpr std::string_view kSaveAnyway = "是否仍要保存？";

std::string shown(record::GbkStringView value) {
    return record::gbkToUtf8Lossy(value);
}

std::string quoted(std::string_view text) {
    return "“" + std::string(text) + "”";
}

} // namespace

bool sameApplicant(const record::MemberRecord& stored, const record::MemberRecord& checked) {
    return record::idNumberKey(stored.idDocumentNumber) ==
               record::idNumberKey(checked.idDocumentNumber) &&
           record::trimmed(stored.groupNumber) == record::trimmed(checked.groupNumber) &&
           record::trimmed(stored.personalSequence) == record::trimmed(checked.personalSequence);
}

std::optional<std::string> replaceQuestion(const ListedFile& existing,
                                           const record::MemberRecord& checked) {
    const std::string file = quoted(displayFileName(existing.fileName));
    if (!existing.applicant) {
        return "文件" + file + "无法作为数据文件打开：" + existing.failure +
               "。替换后其原有内容将丢失。";
    }
    if (sameApplicant(*existing.applicant, checked)) {
        return std::nullopt;
    }
    return "文件" + file + "中保存的是另一位申请人：" + applicantSummary(*existing.applicant) +
           "。替换该文件，这位申请人的数据将会丢失。";
}

std::vector<SaveQuestion> applicantQuestions(const record::MemberRecord& r, bool groupNumberDrawn) {
    std::vector<SaveQuestion> questions;
    const auto ask = [&](std::string text, Field field) {
        questions.push_back({std::move(text) + std::string(kSaveAnyway), field});
    };
    if (groupNumberDrawn) {
        ask("出国任务批件号中找不到用〔〕或[]括起的年份和其后的文号（如 "
            "外字〔2026〕118号），团组号只能临时定为 " +
                shown(r.groupNumber) + "，同一团组的人员可能得到不同的团组号。",
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
        ask("身份证号码表明性别为" + shown(*sex) + "，与所选性别" + quoted(shown(r.sex)) + "不符。",
            Field::sex);
    }
    return questions;
}

std::vector<SaveQuestion> folderQuestions(const record::MemberRecord& r,
                                          std::span<const FolderApplicant> folder,
                                          std::string_view targetName) {
    const FolderApplicant* sameNumber = nullptr;
    const FolderApplicant* sameSequence = nullptr;
    for (const FolderApplicant& other : folder) {
        if (other.fileName == targetName) {
            continue;
        }
        const record::MemberRecord& o = other.record;
        if (!sameNumber && !r.idDocumentNumber.empty() &&
            record::idNumberKey(o.idDocumentNumber) == record::idNumberKey(r.idDocumentNumber)) {
            sameNumber = &other;
        }
        if (!sameSequence && !r.groupNumber.empty() && o.groupNumber == r.groupNumber &&
            record::trimmed(o.personalSequence) == r.personalSequence) {
            sameSequence = &other;
        }
    }
    std::vector<SaveQuestion> questions;
    if (sameNumber) {
        questions.push_back({"同一文件夹中的数据文件" +
                                 quoted(displayFileName(sameNumber->fileName)) +
                                 "已有相同的证件号码。" + std::string(kSaveAnyway),
                             Field::idDocumentNumber});
    }
    if (sameSequence) {
        questions.push_back(
            {"同一团组的数据文件" + quoted(displayFileName(sameSequence->fileName)) +
                 "已使用个人序号 " + shown(r.personalSequence) + "。" + std::string(kSaveAnyway),
             Field::personalSequence});
    }
    return questions;
}

std::optional<SaveQuestion> groupNumberChangeQuestion(const record::MemberRecord& r,
                                                      record::GbkStringView storedGroupNumber,
                                                      std::string_view fileName) {
    if (storedGroupNumber.empty() || storedGroupNumber == r.groupNumber) {
        return std::nullopt;
    }
    return SaveQuestion{"团组号将由 " + shown(storedGroupNumber) + " 改为 " + shown(r.groupNumber) +
                            "。数据文件仍保存为" + quoted(displayFileName(fileName)) +
                            "，文件名不随团组号改变。" + std::string(kSaveAnyway),
                        Field::approvalNumber};
}

std::optional<std::string> nextPersonalSequence(std::span<const FolderApplicant> folder,
                                                std::string_view groupNumber) {
    constexpr long kLargestSequence = 9999; // four digits, as the form proposes them
    long largest = 0;
    for (const FolderApplicant& other : folder) {
        if (other.record.groupNumber != groupNumber) {
            continue;
        }
        const std::string sequence = record::trimmed(other.record.personalSequence);
        if (sequence.empty() || sequence.size() > 4 ||
            sequence.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        largest = std::max(largest, std::stol(sequence));
    }
    if (largest >= kLargestSequence) {
        return std::nullopt;
    }
    return std::to_string(largest + 1);
}

} // namespace parvelin::datafile
