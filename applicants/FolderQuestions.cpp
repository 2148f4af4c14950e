#include "applicants/FolderQuestions.h"

#include "disk/PathNames.h"
#include "record/GbkText.h"
#include "record/IdNumber.h"

#include <algorithm>

namespace parvelin::applicants {

namespace {

using datafile::kSaveAnyway;
using datafile::quoted;
using datafile::SaveQuestion;
using disk::displayFileName;
using record::Field;

} // namespace

std::vector<FolderApplicant> readFolderApplicants(const std::string& folder) {
    // The same files as the applicants window lists, so that Save asks about what it marks.
    std::vector<FolderApplicant> applicants;
    auto listed = listDataFiles(folder);
    if (auto* files = std::get_if<std::vector<ListedFile>>(&listed)) {
        for (ListedFile& file : *files) {
            if (file.applicant) {
                applicants.push_back({std::move(file.fileName), *std::move(file.applicant)});
            }
        }
    }
    return applicants;
}

std::optional<std::string> replaceQuestion(const ListedFile& existing,
                                           const record::MemberRecord& checked) {
    const std::string file = quoted(displayFileName(existing.fileName));
    if (!existing.applicant) {
        return "文件" + file + "无法作为数据文件打开：" + existing.failure +
               "。替换后其原有内容将丢失。";
    }
    if (datafile::sameApplicant(*existing.applicant, checked)) {
        return std::nullopt;
    }
    return "文件" + file + "中保存的是另一位申请人：" + applicantSummary(*existing.applicant) +
           "。替换该文件，这位申请人的数据将会丢失。";
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
        questions.push_back({"同一团组的数据文件" +
                                 quoted(displayFileName(sameSequence->fileName)) +
                                 "已使用个人序号 " + datafile::shownInQuestion(r.personalSequence) +
                                 "。" + std::string(kSaveAnyway),
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
    return SaveQuestion{"团组号将由 " + datafile::shownInQuestion(storedGroupNumber) + " 改为 " +
                            datafile::shownInQuestion(r.groupNumber) + "。数据文件仍保存为" +
                            quoted(displayFileName(fileName)) + "，文件名不随团组号改变。" +
                            std::string(kSaveAnyway),
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

} // namespace parvelin::applicants
