// Applicants sealed by an independent implementation of the data-file format: each record must
// seal to exactly its data file, each data file must open to exactly its record, and the print
// commands must build exactly its barcode payload.

#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "datafile/Validation.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TestData.h"

#include <gtest/gtest.h>

namespace parvelin::datafile {
namespace {

using namespace std::chrono_literals;

class Samples : public testing::TestWithParam<const char*> {
protected:
    std::string read(const char* extension) const {
        return test::readTestData(std::string("samples/") + GetParam() + extension);
    }
};

TEST_P(Samples, RecordSealsToTheDataFileAndBack) {
    EXPECT_EQ(sealRecord(read(".record")), read(".zbdw"));
    EXPECT_EQ(openRecord(read(".zbdw")), read(".record"));
}

TEST_P(Samples, ParsedRecordComposesBackAndBuildsThePayload) {
    const test::FixedClock clock(2026y / 12 / 7, 42);
    record::MemberRecord record = record::freshRecord(clock);
    ASSERT_EQ(parseFileRecord(read(".record"), record), ParseStatus::Ok);
    const CheckResult result = validateRecord(record, clock);
    ASSERT_TRUE(std::holds_alternative<CheckedRecord>(result));
    const CheckedRecord& checked = std::get<CheckedRecord>(result);
    EXPECT_EQ(checked.record().groupNumber, record.groupNumber)
        << "no sample takes the random fallback";
    EXPECT_EQ(composeFileRecord(checked), read(".record"));
    EXPECT_EQ(composeBarcodePayload(checked), read(".payload"));
}

INSTANTIATE_TEST_SUITE_P(IndependentImplementation, Samples,
                         testing::Values("000", "001", "002", "003", "004", "005", "006", "007"));

} // namespace
} // namespace parvelin::datafile
