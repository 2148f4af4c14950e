#pragma once

#include "print/FormSlots.h"
#include "print/PageCanvas.h"

#include <array>
#include <string_view>

namespace parvelin::print::layout {

// The designed page of the form "因公护照申请表", in page units (1/600 inch): 4754 by 6807 units,
// 201.3 mm by 288.2 mm.
inline constexpr Box kPage{0, 0, 4754, 6807};

// Box of the barcode at the top right, the same for every payload: 1657 by 473 units.
inline constexpr Box kBarcodeBox{2523, 600, 4180, 1073};

inline constexpr FontSpec kTitleFont{Face::Heiti, 22, 700};
inline constexpr FontSpec kLabelFont{Face::Heiti, 12, 400};
inline constexpr FontSpec kNoteFont{Face::Songti, 9, 400};
inline constexpr FontSpec kValueFont{Face::Songti, 12, 400};
inline constexpr FontSpec kSmallValueFont{Face::Songti, 8, 400};

inline constexpr std::string_view kTitle = "因公护照申请表";
inline constexpr Box kTitleBox{0, 1150, 4754, 6807};

inline constexpr Box kTableFrame{485, 1789, 4269, 5987};

struct Rule {
    Point from;
    Point to;
};

// Horizontal rules: nine every 237 units below the frame's top, the strip of the issuing
// authority, and the partial rule above the signature box.
inline constexpr std::array<Rule, 11> kHorizontalRules = {{
    {{485, 2026}, {4269, 2026}},
    {{485, 2263}, {4269, 2263}},
    {{485, 2500}, {4269, 2500}},
    {{485, 2737}, {4269, 2737}},
    {{485, 2974}, {4269, 2974}},
    {{485, 3211}, {4269, 3211}},
    {{485, 3448}, {4269, 3448}},
    {{485, 3685}, {4269, 3685}},
    {{485, 3922}, {4269, 3922}},
    {{485, 5752}, {4269, 5752}},
    {{2835, 5061}, {4269, 5061}},
}};

inline constexpr std::array<Rule, 13> kVerticalRules = {{
    {{985, 1789}, {985, 2263}},   // 中文姓 / 姓拼音 | surname
    {{1505, 1789}, {1505, 2263}}, // surname | 中文名 / 名拼音
    {{2005, 1789}, {2005, 2263}}, // that label | given name
    {{2545, 1789}, {2545, 2263}}, // given name | 性别 / 民族
    {{2805, 1789}, {2805, 2263}}, // that label | its value
    {{3235, 1789}, {3235, 2263}}, // that value | 出生地 / 出生日期
    {{3655, 1789}, {3655, 2263}}, // that label | its value
    {{1065, 2263}, {1065, 2974}}, // rows 3 to 5: left label | left value
    {{1255, 2974}, {1255, 3211}}, // row 6: left label | left value
    {{1065, 3211}, {1065, 3685}}, // rows 7 and 8
    {{2545, 2263}, {2545, 3448}}, // rows 3 to 7: left value | right label
    {{3045, 2263}, {3045, 3448}}, // rows 3 to 7: right label | right value
    {{2835, 3922}, {2835, 5752}}, // identity-card copy area | photo and signature
}};

// The four corner marks, each an L of two 186-unit strokes.
inline constexpr std::array<Rule, 8> kCornerMarks = {{
    {{466, 485}, {652, 485}},
    {{652, 485}, {652, 299}},
    {{4370, 485}, {4184, 485}},
    {{4184, 485}, {4184, 299}},
    {{670, 6273}, {484, 6273}},
    {{670, 6273}, {670, 6459}},
    {{4198, 6273}, {4384, 6273}},
    {{4198, 6273}, {4198, 6459}},
}};

// A fixed text of the page. For the format Line only the box's top left corner is given; its box
// reaches to the page's right and bottom edges.
struct FixedText {
    std::string_view text; // UTF-8
    Box box;
    TextFormat format;
};

constexpr Box at(int x, int y) {
    return {x, y, kPage.right, kPage.bottom};
}

inline constexpr std::array<FixedText, 27> kLabels = {{
    {"单位名称：", at(490, 1448), TextFormat::Line},
    {"人员序号：", at(2300, 1448), TextFormat::Line},
    {"填表日期：", at(2300, 1604), TextFormat::Line},
    {"中文姓", at(580, 1870), TextFormat::Line},
    {"中文名", at(1620, 1870), TextFormat::Line},
    {"性别", at(2580, 1870), TextFormat::Line},
    {"出生地", at(3300, 1870), TextFormat::Line},
    {"姓拼音", at(580, 2107), TextFormat::Line},
    {"名拼音", at(1620, 2107), TextFormat::Line},
    {"民族", at(2580, 2107), TextFormat::Line},
    {"出生日期", at(3245, 2107), TextFormat::Line},
    {"证件种类", at(580, 2337), TextFormat::Line},
    {"证件号码", at(2600, 2337), TextFormat::Line},
    {"工作单位", at(580, 2574), TextFormat::Line},
    {"职    务", at(2600, 2574), TextFormat::Line},
    {"职业属性", at(580, 2811), TextFormat::Line},
    {"对外单位", at(2600, 2811), TextFormat::Line},
    {"原持有效护照", at(580, 3048), TextFormat::Line},
    {"对外身份", at(2600, 3048), TextFormat::Line},
    {"人员审批及备案号", {540, 3230, 1040, 6807}, TextFormat::Wrap},
    {"数字照片编号", {2560, 3230, 3040, 6807}, TextFormat::WrapCentred},
    {"身份加注", at(580, 3522), TextFormat::Line},
    {"备    注：", at(580, 3759), TextFormat::Line},
    {"身份证复印件", at(530, 3960), TextFormat::Line},
    {"照片：", {2900, 3960, 3204, 6807}, TextFormat::WrapCentred},
    {"申请人本人签名：", {2900, 4700, 3754, 6807}, TextFormat::WrapCentred},
    {"此栏由签发机关填写：", at(530, 5780), TextFormat::Line},
}};

inline constexpr std::array<FixedText, 4> kNotes = {{
    {"（首次申请请提供户口本复印件）", at(560, 4160), TextFormat::Line},
    {"（请填写是否特批、准持、及签发种类、年限）", at(560, 5900), TextFormat::Line},
    {"（请您于此粘贴小二寸免冠近照一张，需与您所提供编号的数字照片为同一版，照片背景需为白色）",
     {2900, 4060, 4254, 6807},
     TextFormat::Wrap},
    {"（务必请本人在下框内居中位置签名，签名不宜太大，笔画不要超出线框，否则导致退照，"
     "此签名将直接打印在护照上）",
     {2900, 4800, 4254, 6807},
     TextFormat::Wrap},
}};

// Where a value is drawn. A cell with a fitted width switches to the small font when its text is
// long: 29 units per byte of GBK text beyond that width.
struct ValueCell {
    std::string_view name; // the cell's label, for the clerk
    record::GbkString FormSlots::*slot;
    Box box;
    TextFormat format;
    int fittedWidth = 0; // 0: always the value font
};

inline constexpr int kUnitsPerFittedByte = 29;

// The held-passport cell shows the status followed directly by the number; it is drawn after
// externalUnit, in the cell below.
inline constexpr std::string_view kHeldPassportName = "原持有效护照";
inline constexpr Box kHeldPassportBox{1275, 2994, 2545, 3215};
inline constexpr TextFormat kHeldPassportFormat = TextFormat::WrapEdit;

// The value cells in drawing order, up to the held-passport cell and after it.
inline constexpr std::array<ValueCell, 17> kValuesBeforeHeldPassport = {{
    {"单位名称", &FormSlots::unitName, {940, 1448, 2204, 1787}, TextFormat::Wrap},
    {"人员序号", &FormSlots::sequenceText, {2760, 1448, 4754, 1587}, TextFormat::Wrap},
    {"填表日期", &FormSlots::fillDateText, {2760, 1604, 4754, 1787}, TextFormat::Wrap},
    {"中文姓", &FormSlots::surnameChinese, {1015, 1809, 1485, 2030}, TextFormat::WrapEdit, 470},
    {"中文名", &FormSlots::givenNameChinese, {2035, 1809, 2525, 2030}, TextFormat::WrapEdit, 490},
    {"姓拼音", &FormSlots::surnamePinyin, {1015, 2046, 1485, 2267}, TextFormat::WrapEdit, 470},
    {"名拼音", &FormSlots::givenNamePinyin, {2035, 2046, 3025, 2267}, TextFormat::WrapEdit, 990},
    {"性别", &FormSlots::sex, {2785, 1809, 3262, 2030}, TextFormat::Centred},
    {"民族", &FormSlots::ethnicityText, {2785, 2046, 3262, 2267}, TextFormat::WrapCentred},
    {"出生地", &FormSlots::birthPlace, {3705, 1809, 4269, 2030}, TextFormat::WrapEdit},
    {"出生日期", &FormSlots::birthDateText, {3705, 2046, 4249, 2267}, TextFormat::Wrap},
    {"证件种类", &FormSlots::idDocumentType, {1085, 2283, 2545, 2504}, TextFormat::Wrap},
    {"证件号码", &FormSlots::idDocumentNumber, {3055, 2283, 4249, 2504}, TextFormat::WrapEdit},
    {"工作单位", &FormSlots::workUnit, {1085, 2520, 2545, 2741}, TextFormat::Wrap, 1480},
    {"职务", &FormSlots::positionText, {3055, 2520, 4249, 2741}, TextFormat::Wrap},
    {"职业属性", &FormSlots::occupationCategory, {1085, 2757, 2545, 2978}, TextFormat::Wrap},
    {"对外单位", &FormSlots::externalUnit, {3055, 2757, 4249, 2978}, TextFormat::WrapEdit, 1044},
}};

inline constexpr std::array<ValueCell, 5> kValuesAfterHeldPassport = {{
    {"对外身份",
     &FormSlots::externalIdentity,
     {3055, 2994, 4249, 3215},
     TextFormat::WrapEdit,
     1044},
    {"人员审批及备案号", &FormSlots::filingText, {1085, 3231, 2545, 3452}, TextFormat::Wrap},
    {"数字照片编号", &FormSlots::photoNumber, {3055, 3231, 4249, 3452}, TextFormat::WrapEdit},
    {"身份加注",
     &FormSlots::externalIdentityNote,
     {1085, 3468, 4249, 3689},
     TextFormat::WrapEdit,
     3200},
    {"备注", &FormSlots::remarks, {1085, 3705, 4249, 3909}, TextFormat::Wrap, 3200},
}};

} // namespace parvelin::print::layout
