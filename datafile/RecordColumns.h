#pragma once

#include "record/MemberRecord.h"

#include <array>

namespace parvelin::datafile {

// The columns of the record texts: which value of the record each "|"-separated value holds,
// in order. The file record holds all 31; the barcode record holds the 26 that the barcode
// reader expects, in the same order.

enum class ColumnValue {
    Text,    // the field as it stands
    Surname, // the surname field with the name separator joined (record::withNameSeparator)
    Date,    // the date field as yyyy-mm-dd
    Filing,  // the filing value: "已备案", or the filing number when the status is "其他"
};

enum class InBarcode {
    Same,     // the barcode record holds the value as the file record does
    Resolved, // the barcode record holds the choice with its "other" text resolved
    Omitted,  // only the file record holds it
};

struct RecordColumn {
    record::Field field;
    ColumnValue value;
    InBarcode barcode;
};

// clang-format off
inline constexpr std::array<RecordColumn, 31> kFileColumns = {{
    {record::Field::groupNumber,          ColumnValue::Text,   InBarcode::Same},     // 0
    {record::Field::personalSequence,     ColumnValue::Text,   InBarcode::Same},
    {record::Field::unitCode,             ColumnValue::Text,   InBarcode::Same},
    {record::Field::unitName,             ColumnValue::Text,   InBarcode::Same},
    {record::Field::surnameChinese,       ColumnValue::Surname, InBarcode::Same},
    {record::Field::givenNameChinese,     ColumnValue::Text,   InBarcode::Same},     // 5
    {record::Field::surnamePinyin,        ColumnValue::Surname, InBarcode::Same},
    {record::Field::givenNamePinyin,      ColumnValue::Text,   InBarcode::Same},
    {record::Field::sex,                  ColumnValue::Text,   InBarcode::Same},
    {record::Field::idDocumentType,       ColumnValue::Text,   InBarcode::Same},
    {record::Field::idDocumentNumber,     ColumnValue::Text,   InBarcode::Same},     // 10
    {record::Field::birthPlace,           ColumnValue::Text,   InBarcode::Same},
    {record::Field::birthDate,            ColumnValue::Date,   InBarcode::Same},
    {record::Field::workUnit,             ColumnValue::Text,   InBarcode::Same},
    {record::Field::position,             ColumnValue::Text,   InBarcode::Resolved},
    {record::Field::occupationCategory,   ColumnValue::Text,   InBarcode::Same},     // 15
    {record::Field::externalUnit,         ColumnValue::Text,   InBarcode::Same},
    {record::Field::externalIdentityNote, ColumnValue::Text,   InBarcode::Same},
    {record::Field::externalIdentity,     ColumnValue::Text,   InBarcode::Same},
    {record::Field::heldPassportStatus,   ColumnValue::Text,   InBarcode::Same},
    {record::Field::heldPassportNumber,   ColumnValue::Text,   InBarcode::Same},     // 20
    {record::Field::photoNumber,          ColumnValue::Text,   InBarcode::Same},
    {record::Field::filingStatus,         ColumnValue::Filing, InBarcode::Same},
    {record::Field::remarks,              ColumnValue::Text,   InBarcode::Same},
    {record::Field::fillDate,             ColumnValue::Date,   InBarcode::Same},
    {record::Field::positionOther,        ColumnValue::Text,   InBarcode::Omitted},  // 25
    {record::Field::ethnicity,            ColumnValue::Text,   InBarcode::Resolved},
    {record::Field::ethnicityOther,       ColumnValue::Text,   InBarcode::Omitted},
    {record::Field::remarkCategory,       ColumnValue::Text,   InBarcode::Omitted},
    {record::Field::approvalKind,         ColumnValue::Text,   InBarcode::Omitted},
    {record::Field::approvalNumber,       ColumnValue::Text,   InBarcode::Omitted},  // 30
}};
// clang-format on

inline constexpr std::size_t kBarcodeColumnCount = [] {
    std::size_t count = 0;
    for (const RecordColumn& column : kFileColumns) {
        count += column.barcode != InBarcode::Omitted;
    }
    return count;
}();
static_assert(kBarcodeColumnCount == 26);

} // namespace parvelin::datafile
