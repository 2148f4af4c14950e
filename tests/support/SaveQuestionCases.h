#pragma once

#include "datafile/SaveQuestions.h"
#include "tests/support/Applicants.h"

#include <vector>

#include <gtest/gtest.h>

namespace parvelin::test {

// The worked applicant as the checks leave it, with an identity number as cards print it.
inline record::MemberRecord checkedApplicant() {
    record::MemberRecord r = validApplicant();
    r.idDocumentNumber = "110101198001010010";
    r.groupNumber = "0000130122012035";
    return r;
}

// The fields the questions lead back to, in their order; each question must end as every one
// does.
inline std::vector<record::Field> fieldsOf(const std::vector<datafile::SaveQuestion>& questions) {
    std::vector<record::Field> fields;
    for (const datafile::SaveQuestion& question : questions) {
        fields.push_back(question.field);
        EXPECT_TRUE(question.text.ends_with("是否仍要保存？")) << question.text;
    }
    return fields;
}

} // namespace parvelin::test
