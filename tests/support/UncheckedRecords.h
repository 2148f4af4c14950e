#pragma once

#include "datafile/RecordText.h"
#include "datafile/Validation.h"

#include <utility>

namespace parvelin::datafile {

// Records that tests compose as they stand, without the checks: the format's own round trips of
// any parsed record, and data files that fail the checks on purpose.
struct UncheckedForTests {
    static CheckedRecord of(record::MemberRecord record) {
        return CheckedRecord(std::move(record), false);
    }
};

} // namespace parvelin::datafile

namespace parvelin::test {

inline datafile::CheckedRecord unchecked(record::MemberRecord record) {
    return datafile::UncheckedForTests::of(std::move(record));
}

inline record::GbkString fileRecordOf(record::MemberRecord record) {
    return datafile::composeFileRecord(unchecked(std::move(record)));
}

inline record::GbkString barcodeRecordOf(record::MemberRecord record) {
    return datafile::composeBarcodeRecord(unchecked(std::move(record)));
}

} // namespace parvelin::test
