#include "datafile/GroupNumber.h"

#include "record/DecimalText.h"
#include "record/Vocabulary.h"

#include <optional>

namespace parvelin::datafile {

namespace {

using record::GbkString;
using record::GbkStringView;

// Year and serial as written between and after the brackets, when both read as non-zero numbers.
struct ApprovalParts {
    GbkStringView year;
    GbkStringView serial;
};

std::optional<ApprovalParts> readApprovalNumber(GbkStringView approvalNumber) {
    if (approvalNumber.empty()) {
        return std::nullopt;
    }
    // Only ASCII brackets count; full-width 〔〕 and the like are not recognised.
    const std::size_t open = record::findSingleByte(approvalNumber, '[');
    const std::size_t close = record::findSingleByte(approvalNumber, ']');
    if (open == GbkStringView::npos || close == GbkStringView::npos) {
        return std::nullopt;
    }
    if (close < open + 3 || close == approvalNumber.size() - 1) {
        return std::nullopt; // fewer than two characters between the brackets, or nothing after
    }
    const GbkStringView year = approvalNumber.substr(open + 1, close - open - 1);
    if (record::leadingNumberOrZero(year) == 0) {
        return std::nullopt;
    }
    GbkStringView serial = approvalNumber.substr(close + 1);
    if (const std::size_t suffix = record::findText(serial, record::word::kNumberSuffix);
        suffix != GbkStringView::npos) {
        serial = serial.substr(0, suffix);
    }
    if (serial.empty() || record::leadingNumberOrZero(serial) == 0) {
        return std::nullopt;
    }
    return ApprovalParts{year, serial};
}

} // namespace

GbkString deriveGroupNumber(GbkStringView approvalNumber, GbkStringView approvalKind,
                            GbkStringView unitCode, const record::Clock& clock) {
    const char kindDigit = approvalKind == record::word::kApproval ? '0' : '1';
    GbkString group(unitCode);
    if (const auto parts = readApprovalNumber(approvalNumber)) {
        group += parts->year;
        group += kindDigit;
        group += parts->serial;
        return group;
    }
    const record::Moment moment = clock.now();
    group += std::to_string(static_cast<int>(moment.localDate.year()));
    group += kindDigit;
    group += std::to_string(record::firstRandomAfterSeed(moment.epochSeconds) % 1000);
    return group;
}

} // namespace parvelin::datafile
