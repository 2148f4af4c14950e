#include "datafile/GroupNumber.h"

#include "app/DecimalText.h"
#include "app/Vocabulary.h"

#include <optional>

namespace parvelin::datafile {

namespace {

using app::GbkString;
using app::GbkStringView;

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
    const std::size_t open = app::findSingleByte(approvalNumber, '[');
    const std::size_t close = app::findSingleByte(approvalNumber, ']');
    if (open == GbkStringView::npos || close == GbkStringView::npos) {
        return std::nullopt;
    }
    if (close < open + 3 || close == approvalNumber.size() - 1) {
        return std::nullopt; // fewer than two characters between the brackets, or nothing after
    }
    const GbkStringView year = approvalNumber.substr(open + 1, close - open - 1);
    if (app::leadingNumberOrZero(year) == 0) {
        return std::nullopt;
    }
    GbkStringView serial = approvalNumber.substr(close + 1);
    if (const std::size_t suffix = app::findText(serial, app::word::kNumberSuffix);
        suffix != GbkStringView::npos) {
        serial = serial.substr(0, suffix);
    }
    if (serial.empty() || app::leadingNumberOrZero(serial) == 0) {
        return std::nullopt;
    }
    return ApprovalParts{year, serial};
}

} // namespace

GbkString deriveGroupNumber(GbkStringView approvalNumber, GbkStringView approvalKind,
                            GbkStringView unitCode, const app::Clock& clock) {
    const char kindDigit = approvalKind == app::word::kApproval ? '0' : '1';
    GbkString group(unitCode);
    if (const auto parts = readApprovalNumber(approvalNumber)) {
        group += parts->year;
        group += kindDigit;
        group += parts->serial;
        return group;
    }
    const app::Moment moment = clock.now();
    group += std::to_string(static_cast<int>(moment.localDate.year()));
    group += kindDigit;
    group += std::to_string(app::firstRandomAfterSeed(moment.epochSeconds) % 1000);
    return group;
}

} // namespace parvelin::datafile
