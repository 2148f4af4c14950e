#pragma once

#include "barcode/Pdf417Encoder.h"
#include "datafile/DataFile.h"
#include "datafile/Validation.h"
#include "record/GbkText.h"
#include "tests/support/Applicants.h"
#include "tests/support/FixedClock.h"

#include <random>
#include <stdexcept>
#include <string>

namespace parvelin::test {

// The barcode payload that printing composes for an applicant: the checks first, then the
// payload. A generated applicant that fails a check is a fault of the generator.
inline std::string barcodePayloadOf(const record::MemberRecord& record) {
    using namespace std::chrono_literals;
    const FixedClock clock(2012y / 5 / 17);
    const datafile::CheckResult checked = datafile::validateRecord(record, clock);
    if (const auto* failure = datafile::failureOf(checked)) {
        throw std::runtime_error("generated applicant fails a check: " +
                                 std::string(failure->message));
    }
    return datafile::composeBarcodePayload(std::get<datafile::CheckedRecord>(checked));
}

// A valid applicant with random GBK text of up to `maxCharacters` characters in the free-text
// fields that the checks leave open (after the fixed start of the two required ones).
inline record::MemberRecord randomPrintableApplicant(std::mt19937& random, int maxCharacters) {
    record::MemberRecord r = validApplicant();
    for (record::GbkString* value : {&r.externalUnit, &r.externalIdentity, &r.remarks}) {
        *value = randomGbkText(random, maxCharacters);
    }
    r.workUnit += randomGbkText(random, maxCharacters);
    r.birthPlace += randomGbkText(random, maxCharacters);
    return r;
}

inline bool fitsOneSymbol(const std::string& payload) {
    barcode::Pdf417Symbol symbol;
    symbol.text = record::asBytes(payload);
    return barcode::Pdf417Encoder().encode(symbol) == barcode::DrawStatus::Ok;
}

// The payload of an applicant whose remarks grow a character at a time until the payload holds
// at least `size` bytes.
inline std::string payloadOfAtLeast(std::size_t size) {
    record::MemberRecord r = validApplicant();
    std::string payload = barcodePayloadOf(r);
    while (payload.size() < size) {
        r.remarks += record::gbk("备");
        payload = barcodePayloadOf(r);
    }
    return payload;
}

// The largest payload of growing remarks (a character at a time) that `fits` accepts.
template <typename Fits>
std::string largestPayloadWhere(Fits fits) {
    record::MemberRecord r = validApplicant();
    std::string fitting;
    for (std::string payload = barcodePayloadOf(r); fits(payload); payload = barcodePayloadOf(r)) {
        fitting = payload;
        r.remarks += record::gbk("备");
    }
    return fitting;
}

// The largest such payload that still fits one symbol.
inline std::string largestFittingPayload() {
    return largestPayloadWhere(fitsOneSymbol);
}

} // namespace parvelin::test
