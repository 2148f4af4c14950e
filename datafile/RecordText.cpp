#include "datafile/RecordText.h"

#include "datafile/RecordColumns.h"
#include "record/DecimalText.h"
#include "record/ReferenceLists.h"
#include "record/Vocabulary.h"

#include <array>
#include <optional>
#include <vector>

namespace parvelin::datafile {

namespace {

using record::CalendarDate;
using record::GbkString;
using record::GbkStringView;
using record::MemberRecord;

constexpr std::string_view kHeader = "groupMember|";
constexpr char kSeparator = '|';
constexpr std::size_t kFileValueCount = kFileColumns.size();

// The birthplaces at home as one text, each enclosed in ",": parsing tells the scope of a restored
// birthplace by finding it there, enclosed the same way.
const GbkString& delimitedDomesticBirthPlaces() {
    static const GbkString list = [] {
        GbkString joined(1, ',');
        for (const GbkString& place : record::domesticBirthPlaces()) {
            joined += place;
            joined += ',';
        }
        return joined;
    }();
    return list;
}

// Three decimal integers separated by "-", read as year, month and day; a real calendar date in
// the years that the form's dates can hold (100..9999), or nothing.
std::optional<CalendarDate> parseDate(GbkStringView text) {
    std::array<int, 3> parts{};
    std::size_t position = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (position >= text.size() || text[position] != '-') {
                return std::nullopt;
            }
            ++position;
        }
        const GbkStringView rest = text.substr(position);
        const auto number = record::leadingNumber(rest);
        if (!number) {
            return std::nullopt;
        }
        parts[i] = *number;
        // Step over what leadingNumber read: white space, sign and digits.
        std::size_t used = rest.find_first_not_of(record::kWhiteSpace);
        if (rest[used] == '+' || rest[used] == '-') {
            ++used;
        }
        while (used < rest.size() && rest[used] >= '0' && rest[used] <= '9') {
            ++used;
        }
        position += used;
    }
    if (parts[0] < 100 || parts[0] > 9999 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 ||
        parts[2] > 31) {
        return std::nullopt;
    }
    const CalendarDate date{std::chrono::year{parts[0]}, std::chrono::month{unsigned(parts[1])},
                            std::chrono::day{unsigned(parts[2])}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

enum class Purpose { File, Barcode };

// The text of one column as the file record or the barcode record holds it.
GbkString columnText(const MemberRecord& r, const RecordColumn& column, Purpose purpose) {
    switch (column.value) {
    case ColumnValue::Date:
        return record::formatDate(*record::dateValue(r, column.field));
    case ColumnValue::Filing:
        return GbkString(record::filingValue(r));
    case ColumnValue::Surname:
        return record::withNameSeparator(r, *record::textValue(r, column.field));
    case ColumnValue::Text:
        break;
    }
    if (purpose == Purpose::Barcode && column.barcode == InBarcode::Resolved) {
        return GbkString(column.field == record::Field::position ? record::positionValue(r)
                                                                 : record::ethnicityValue(r));
    }
    return *record::textValue(r, column.field);
}

GbkString compose(const MemberRecord& r, Purpose purpose) {
    GbkString text(kHeader);
    bool first = true;
    for (const RecordColumn& column : kFileColumns) {
        if (purpose == Purpose::Barcode && column.barcode == InBarcode::Omitted) {
            continue;
        }
        if (!first) {
            text += kSeparator;
        }
        text += columnText(r, column, purpose);
        first = false;
    }
    return text;
}

// Stores a filing value: "已备案" is the status itself; anything else is the number of the
// status "其他". "已备案" with blanks around it is that status as another program wrote it: the
// form shows it as the file holds it, a status its list does not offer, and writes it back so.
void storeFiling(MemberRecord& r, GbkStringView value) {
    if (record::trimmed(value) == record::word::kFiled) {
        r.filingStatus = value;
    } else {
        r.filingNumber = value;
        r.filingStatus = record::word::kOther;
    }
}

} // namespace

GbkString composeFileRecord(const CheckedRecord& record) {
    return compose(record.fileValues(), Purpose::File);
}

GbkString composeBarcodeRecord(const CheckedRecord& record) {
    return compose(record.record(), Purpose::Barcode);
}

std::string_view describe(ParseStatus status) {
    switch (status) {
    case ParseStatus::Ok:
        return "记录已读取";
    case ParseStatus::NoHeader:
        return "记录文本不以“groupMember|”开头";
    case ParseStatus::TooFewValues:
        return "记录文本不足31项";
    case ParseStatus::DamagedText:
        return "记录文本含有零字节或不是GBK编码的字节";
    case ParseStatus::InvalidBirthDate:
        return "出生日期不是有效日期";
    case ParseStatus::InvalidFillDate:
        return "填表日期不是有效日期";
    }
    return "unknown parse status";
}

bool holdsDamagedBytes(GbkStringView text) {
    return text.find('\0') != GbkStringView::npos || !record::isWellFormedGbk(text);
}

ParseStatus parseFileRecord(GbkStringView text, MemberRecord& record) {
    if (!text.starts_with(kHeader)) {
        return ParseStatus::NoHeader;
    }
    if (holdsDamagedBytes(text)) {
        return ParseStatus::DamagedText;
    }
    // Values 1..30 end at the next separator that is not the second byte of a double-byte
    // character; value 31 is everything after the 30th separator.
    std::vector<GbkStringView> values;
    values.reserve(kFileValueCount);
    std::size_t start = kHeader.size();
    while (values.size() + 1 < kFileValueCount) {
        const std::size_t end = record::findSingleByte(text, kSeparator, start);
        if (end == GbkStringView::npos) {
            return ParseStatus::TooFewValues;
        }
        values.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    values.push_back(text.substr(start));

    MemberRecord r = record;
    for (std::size_t i = 0; i < kFileColumns.size(); ++i) {
        const RecordColumn& column = kFileColumns[i];
        switch (column.value) {
        case ColumnValue::Text:
        case ColumnValue::Surname:
            *record::textValue(r, column.field) = values[i];
            break;
        case ColumnValue::Filing:
            storeFiling(r, values[i]);
            break;
        case ColumnValue::Date: {
            const auto date = parseDate(values[i]);
            if (!date) {
                return column.field == record::Field::birthDate ? ParseStatus::InvalidBirthDate
                                                                : ParseStatus::InvalidFillDate;
            }
            *record::dateValue(r, column.field) = *date;
            break;
        }
        }
    }

    const GbkString delimited = "," + r.birthPlace + ",";
    r.birthPlaceScope = record::containsText(delimitedDomesticBirthPlaces(), delimited)
                            ? record::word::kAtHome
                            : record::word::kAbroad;
    r.externalIdentityNoteChoice = r.externalIdentityNote;

    record = std::move(r);
    return ParseStatus::Ok;
}

} // namespace parvelin::datafile
