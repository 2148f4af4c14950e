#include "datafile/GroupNumber.h"

#include "record/DecimalText.h"
#include "record/Vocabulary.h"

#include <array>

namespace parvelin::datafile {

namespace {

using record::GbkString;
using record::GbkStringView;

// The brackets around the year: ASCII, the 〔〕 of official documents (GBK A1B2, A1B3) and the
// full-width ［］ (A3DB, A3DD).
constexpr std::array<GbkStringView, 3> kOpeningBrackets = {"[", "\xA1\xB2", "\xA3\xDB"};
constexpr std::array<GbkStringView, 3> kClosingBrackets = {"]", "\xA1\xB3", "\xA3\xDD"};

struct Found {
    std::size_t offset = GbkStringView::npos;
    std::size_t length = 0;
};

// The first of the brackets in the text, on a character boundary.
Found findFirst(GbkStringView text, const std::array<GbkStringView, 3>& brackets) {
    Found first;
    for (const GbkStringView bracket : brackets) {
        const std::size_t offset = bracket.size() == 1
                                       ? record::findSingleByte(text, bracket.front())
                                       : record::findText(text, bracket);
        if (offset < first.offset) {
            first = {offset, bracket.size()};
        }
    }
    return first;
}

// Year and serial as written between and after the brackets, when both read as non-zero numbers.
struct ApprovalParts {
    GbkStringView year;
    GbkStringView serial;
};

std::optional<ApprovalParts> readApprovalNumber(GbkStringView approvalNumber) {
    const Found open = findFirst(approvalNumber, kOpeningBrackets);
    const Found close = findFirst(approvalNumber, kClosingBrackets);
    if (open.offset == GbkStringView::npos || close.offset == GbkStringView::npos) {
        return std::nullopt;
    }
    const std::size_t yearStart = open.offset + open.length;
    const std::size_t serialStart = close.offset + close.length;
    if (close.offset < yearStart + 2 || serialStart == approvalNumber.size()) {
        return std::nullopt; // fewer than two bytes between the brackets, or nothing after
    }
    const GbkStringView year = approvalNumber.substr(yearStart, close.offset - yearStart);
    if (record::leadingNumberOrZero(year) == 0) {
        return std::nullopt;
    }
    GbkStringView serial = approvalNumber.substr(serialStart);
    if (const std::size_t suffix = record::findText(serial, record::word::kNumberSuffix);
        suffix != GbkStringView::npos) {
        serial = serial.substr(0, suffix);
    }
    if (serial.empty() || record::leadingNumberOrZero(serial) == 0) {
        return std::nullopt;
    }
    return ApprovalParts{year, serial};
}

char kindDigit(GbkStringView approvalKind) {
    return approvalKind == record::word::kApproval ? '0' : '1';
}

} // namespace

std::optional<GbkString> groupNumberFromApproval(GbkStringView approvalNumber,
                                                 GbkStringView approvalKind,
                                                 GbkStringView unitCode) {
    const auto parts = readApprovalNumber(approvalNumber);
    if (!parts) {
        return std::nullopt;
    }
    GbkString group(unitCode);
    group += parts->year;
    group += kindDigit(approvalKind);
    group += parts->serial;
    return group;
}

GbkString provisionalGroupNumber(GbkStringView approvalKind, GbkStringView unitCode,
                                 const record::Clock& clock) {
    const record::Moment moment = clock.now();
    GbkString group(unitCode);
    group += std::to_string(static_cast<int>(moment.localDate.year()));
    group += kindDigit(approvalKind);
    group += std::to_string(record::firstRandomAfterSeed(moment.epochSeconds) % 1000);
    return group;
}

GbkString deriveGroupNumber(GbkStringView approvalNumber, GbkStringView approvalKind,
                            GbkStringView unitCode, const record::Clock& clock) {
    if (auto group = groupNumberFromApproval(approvalNumber, approvalKind, unitCode)) {
        return std::move(*group);
    }
    return provisionalGroupNumber(approvalKind, unitCode, clock);
}

StoredGroupNumber StoredGroupNumber::of(const record::MemberRecord& opened) {
    return {opened.approvalNumber, opened.approvalKind, opened.unitCode, opened.groupNumber};
}

GroupNumber groupNumberFor(const record::MemberRecord& record,
                           const std::optional<StoredGroupNumber>& stored,
                           const record::Clock& clock) {
    if (auto group =
            groupNumberFromApproval(record.approvalNumber, record.approvalKind, record.unitCode)) {
        return {std::move(*group), false};
    }
    if (stored && !stored->groupNumber.empty() && stored->approvalNumber == record.approvalNumber &&
        stored->approvalKind == record.approvalKind && stored->unitCode == record.unitCode) {
        return {stored->groupNumber, false};
    }
    return {provisionalGroupNumber(record.approvalKind, record.unitCode, clock), true};
}

} // namespace parvelin::datafile
