// Many generated applicants through the whole data-file road: compose, seal, open, parse.

#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "record/Vocabulary.h"
#include "tests/support/Applicants.h"
#include "tests/support/UncheckedRecords.h"

#include <gtest/gtest.h>

namespace parvelin::datafile {
namespace {

using record::MemberRecord;

MemberRecord randomApplicant(std::mt19937& random, int maxCharacters) {
    MemberRecord r = test::validApplicant();
    for (int f = 0; f <= static_cast<int>(record::Field::groupNumber); ++f) {
        const auto field = static_cast<record::Field>(f);
        if (record::GbkString* value = record::textValue(r, field)) {
            *value = test::randomGbkText(random, maxCharacters);
        }
    }
    std::uniform_int_distribution<int> year(1900, 2100), month(1, 12), day(1, 28);
    r.birthDate = std::chrono::year{year(random)} / month(random) / day(random);
    r.fillDate = std::chrono::year{year(random)} / month(random) / day(random);
    // What the file does not hold comes back derived, or as the target had it.
    r.nameDot.clear();
    r.filingStatus = random() % 2 ? record::GbkString(record::word::kFiled)
                                  : record::GbkString(record::word::kOther);
    if (r.filingStatus == record::word::kFiled) {
        r.filingNumber.clear();
    }
    r.externalIdentityNoteChoice = r.externalIdentityNote;
    r.birthPlaceScope = record::GbkString(record::word::kAbroad);
    return r;
}

void expectRoundTrip(const MemberRecord& original) {
    MemberRecord composed = original;
    const std::string text = test::fileRecordOf(composed);
    const auto opened = openRecord(sealRecord(text));
    ASSERT_TRUE(opened.has_value());
    ASSERT_EQ(*opened, text);
    MemberRecord parsed;
    ASSERT_EQ(parseFileRecord(*opened, parsed), ParseStatus::Ok);
    MemberRecord expected = original;
    if (expected.filingStatus == record::word::kOther &&
        expected.filingNumber == record::word::kFiled) {
        expected.filingStatus = record::word::kFiled; // the one ambiguous filing value
        expected.filingNumber.clear();
    }
    expected.birthPlaceScope = parsed.birthPlaceScope; // derived from the birthplace
    EXPECT_EQ(parsed, expected);
}

TEST(RoundTrip, GeneratedApplicantsComeBackValueForValue) {
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        expectRoundTrip(randomApplicant(random, 12));
    }
}

TEST(RoundTrip, LongApplicantsCrossBothLineBreakRules) {
    std::mt19937 random(11);
    int longer = 0;
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        const MemberRecord applicant = randomApplicant(random, 100);
        MemberRecord copy = applicant;
        if (test::fileRecordOf(copy).size() > 1500) {
            ++longer;
        }
        expectRoundTrip(applicant);
    }
    EXPECT_GT(longer, 20) << "most records must exceed 1500 bytes to reach the line rules";
}

} // namespace
} // namespace parvelin::datafile
