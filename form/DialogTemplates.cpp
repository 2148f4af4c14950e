#include "form/DialogTemplates.h"

#include <array>

namespace parvelin::form {

namespace {

using K = ControlKind;
using F = record::Field;
using namespace control;

// a × b / c rounded to the nearest integer, halves away from zero, without overflowing in the
// product: how dialog units become pixels.
constexpr int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// The main form's dialog template (resource 102), row by row in template order.
// clang-format off
constexpr std::array<DialogControl, 76> kMainForm = {{
    {1063, K::ListBox, "surnamePinyinList", {102, 148, 134, 44}, "", kSorted | kHidden, {}},
    {1064, K::ListBox, "givenNamePinyinList", {335, 148, 134, 44}, "", kSorted | kHidden, {}},
    {1033, K::Edit, "unitCode", {102, 101, 117, 14}, "", kDisabled | kLatinOnly, F::unitCode},
    {1015, K::Edit, "unitName", {335, 101, 117, 14}, "", kDisabled, F::unitName},
    {1004, K::Edit, "approvalNumber", {144, 117, 75, 14}, "", 0, F::approvalNumber},
    {1005, K::Edit, "personalSequence", {335, 117, 117, 14}, "", kDigitsOnly | kLatinOnly, F::personalSequence},
    {1006, K::Edit, "surnameChinese", {102, 133, 87, 14}, "", 0, F::surnameChinese},
    {1050, K::DropDownList, "nameDot", {485, 113, 27, 45}, "", kHidden | kSorted, F::nameDot},
    {1007, K::Edit, "givenNameChinese", {335, 133, 87, 14}, "", 0, F::givenNameChinese},
    {1008, K::Edit, "surnamePinyin", {102, 149, 117, 14}, "", kLatinOnly, F::surnamePinyin},
    {1009, K::Edit, "givenNamePinyin", {335, 149, 117, 14}, "", kLatinOnly, F::givenNamePinyin},
    {1010, K::DropDownList, "idDocumentType", {102, 164, 117, 53}, "", kSorted, F::idDocumentType},
    {1011, K::Edit, "idDocumentNumber", {335, 164, 117, 14}, "", kLatinOnly, F::idDocumentNumber},
    {1012, K::DropDownList, "birthPlace", {144, 179, 75, 154}, "", kSorted, F::birthPlace},
    {1034, K::DatePicker, "birthDate", {335, 179, 117, 14}, "", 0, F::birthDate},
    {1014, K::DropDownList, "sex", {102, 194, 117, 46}, "", kSorted, F::sex},
    {1024, K::Edit, "photoNumber", {335, 194, 117, 14}, "", kLatinOnly, F::photoNumber},
    {1016, K::Edit, "externalUnit", {335, 208, 117, 14}, "", 0, F::externalUnit},
    {1048, K::Edit, "externalIdentityNote", {102, 224, 105, 12}, "", kReadOnly | kNoTabStop, F::externalIdentityNote},
    {1017, K::DropDownList, "externalIdentityNoteChoice", {102, 224, 117, 110}, "", 0, F::externalIdentityNoteChoice},
    {1036, K::Edit, "externalIdentity", {335, 223, 117, 14}, "", 0, F::externalIdentity},
    {1018, K::DropDownList, "occupationCategory", {102, 239, 117, 100}, "", 0, F::occupationCategory},
    {1020, K::DropDownList, "position", {101, 257, 117, 131}, "", 0, F::position},
    {1038, K::DropDownList, "heldPassportStatus", {101, 273, 117, 85}, "", kSorted, F::heldPassportStatus},
    {1021, K::Edit, "heldPassportNumber", {335, 273, 117, 14}, "", kLatinOnly, F::heldPassportNumber},
    {1035, K::DatePicker, "fillDate", {336, 292, 117, 14}, "", 0, F::fillDate},
    {1025, K::MultiLineEdit, "remarks", {102, 333, 351, 88}, "", 0, F::remarks},
    {1026, K::Button, "newButton", {487, 134, 50, 14}, "新建", 0, {}},
    {1027, K::Button, "openButton", {487, 157, 50, 14}, "打开", 0, {}},
    {1028, K::Button, "editButton", {487, 180, 50, 14}, "编辑", 0, {}},
    {1029, K::Button, "saveButton", {487, 203, 50, 14}, "保存", 0, {}},
    {1030, K::Button, "printPreviewButton", {487, 226, 50, 14}, "打印预览", 0, {}},
    {1031, K::Button, "printButton", {487, 249, 50, 14}, "打印", 0, {}},
    {1045, K::Button, "aboutButton", {487, 272, 50, 14}, "关于", 0, {}},
    {1032, K::Button, "exitButton", {487, 295, 50, 14}, "退出", 0, {}},
    {0, K::GroupBox, "fieldFrame", {11, 71, 465, 369}, "", 0, {}},
    {0, K::Label, "", {20, 334, 17, 8}, "备注", 0, {}, "remarks"},
    {0, K::Label, "", {254, 295, 52, 8}, "填表日期（*）", 0, {}, "fillDate"},
    {0, K::Label, "", {254, 195, 82, 8}, "数字照片编号（*）", 0, {}, "photoNumber"},
    {0, K::Label, "", {19, 259, 58, 8}, "职务（*）", 0, {}, "position"},
    {0, K::Label, "", {18, 273, 78, 15}, "原持有效护照情况(*)", 0, {}, "heldPassportStatus"},
    {0, K::Label, "", {20, 240, 52, 8}, "职业属性（*）", 0, {}, "occupationCategory"},
    {0, K::Label, "", {20, 210, 52, 8}, "工作单位（*）", 0, {}, "workUnit"},
    {0, K::Label, "", {254, 210, 33, 8}, "对外单位", 0, {}, "externalUnit"},
    {0, K::Label, "", {20, 225, 49, 8}, "对外身份加注", 0, {}, "externalIdentityNoteChoice"},
    {0, K::Label, "", {254, 104, 52, 8}, "单位名称（*）", 0, {}, "unitName"},
    {0, K::Label, "", {254, 181, 52, 8}, "出生日期（*）", 0, {}, "birthDate"},
    {0, K::Label, "", {20, 195, 36, 8}, "性别（*）", 0, {}, "sex"},
    {0, K::Label, "", {20, 181, 44, 8}, "出生地（*）", 0, {}, "birthPlaceScope"},
    {0, K::Label, "", {20, 167, 52, 8}, "证件种类（*）", 0, {}, "idDocumentType"},
    {0, K::Label, "", {254, 167, 52, 8}, "证件号码（*）", 0, {}, "idDocumentNumber"},
    {0, K::Label, "", {20, 151, 44, 8}, "姓拼音（*）", 0, {}, "surnamePinyin"},
    {0, K::Label, "", {254, 151, 44, 8}, "名拼音（*）", 0, {}, "givenNamePinyin"},
    {0, K::Label, "", {254, 136, 44, 8}, "中文名（*）", 0, {}, "givenNameChinese"},
    {0, K::Label, "", {20, 136, 44, 8}, "中文姓（*）", 0, {}, "surnameChinese"},
    {0, K::Label, "", {20, 120, 82, 8}, "出国任务批件号（*）", 0, {}, "approvalKind"},
    {0, K::Label, "", {254, 120, 77, 8}, "个人序号（*）", 0, {}, "personalSequence"},
    {0, K::Label, "", {254, 225, 33, 8}, "对外身份", 0, {}, "externalIdentity"},
    {0, K::Label, "", {253, 277, 76, 8}, "原持有效护照号（*）", 0, {}, "heldPassportNumber"},
    {0, K::Bitmap, "banner", {0, 0, 610, 106}, "", 0, {}},
    {0, K::Label, "", {20, 104, 52, 8}, "单位编号（*）", 0, {}, "unitCode"},
    {1019, K::DropDownList, "workUnit", {102, 208, 117, 182}, "", 0, F::workUnit},
    {1051, K::DropDownList, "approvalKind", {102, 117, 41, 45}, "", kSorted, F::approvalKind},
    {1053, K::Button, "surnameDotButton", {191, 132, 27, 14}, "·", 0, {}},
    {1054, K::Button, "givenNameDotButton", {425, 132, 27, 14}, "·", 0, {}},
    {1052, K::DropDownList, "birthPlaceScope", {102, 179, 41, 45}, "", kSorted, F::birthPlaceScope},
    {0, K::Label, "", {254, 259, 80, 8}, "其他职务描述（*）", 0, {}, "positionOther"},
    {1022, K::Edit, "positionOther", {335, 255, 117, 14}, "", 0, F::positionOther},
    {1056, K::DropDownList, "remarkCategory", {20, 349, 61, 110}, "", kNoTabStop, F::remarkCategory},
    {0, K::Label, "", {254, 242, 58, 8}, "民族（*）", 0, {}, "ethnicity"},
    {1023, K::Edit, "ethnicityOther", {385, 239, 68, 14}, "", 0, F::ethnicityOther},
    {1039, K::DropDownList, "ethnicity", {335, 239, 45, 100}, "", 0, F::ethnicity},
    {0, K::Label, "", {18, 293, 82, 17}, "人员审批及备案号(*)", 0, {}, "filingStatus"},
    {1037, K::Edit, "filingNumber", {151, 290, 68, 14}, "", kDisabled, F::filingNumber},
    {1040, K::DropDownList, "filingStatus", {101, 290, 45, 100}, "", 0, F::filingStatus},
    {1062, K::Bitmap, "sequenceHintIcon", {454, 117, 11, 12}, "", 0, {}},
}};
// clang-format on

// The identity editor's template (resource 135). The template's hidden dot list (1050) is left
// out: it is never shown and its value is always empty.
// clang-format off
constexpr std::array<DialogControl, 15> kIdentityEditor = {{
    {0, K::Label, "", {13, 12, 98, 8}, "将对外身份对应的***改为：", 0, {}},
    {0, K::Label, "", {15, 29, 25, 8}, "中文姓", 0, {}, "surnameChinese"},
    {1006, K::Edit, "surnameChinese", {42, 27, 45, 14}, "", 0, F::surnameChinese},
    {1053, K::Button, "surnameDotButton", {90, 27, 24, 13}, "·", 0, {}},
    {0, K::Label, "", {124, 29, 25, 8}, "中文名", 0, {}, "givenNameChinese"},
    {1007, K::Edit, "givenNameChinese", {153, 27, 44, 14}, "", 0, F::givenNameChinese},
    {1054, K::Button, "givenNameDotButton", {202, 27, 24, 13}, "·", 0, {}},
    {0, K::Label, "", {15, 49, 25, 8}, "姓拼音", 0, {}, "surnamePinyin"},
    {1008, K::Edit, "surnamePinyin", {42, 47, 71, 14}, "", kLatinOnly, F::surnamePinyin},
    {1063, K::ListBox, "surnamePinyinList", {42, 41, 85, 35}, "", kSorted | kHidden, {}},
    {0, K::Label, "", {124, 49, 25, 8}, "名拼音", 0, {}, "givenNamePinyin"},
    {1009, K::Edit, "givenNamePinyin", {153, 47, 73, 14}, "", kLatinOnly, F::givenNamePinyin},
    {1064, K::ListBox, "givenNamePinyinList", {147, 43, 85, 35}, "", kSorted | kHidden, {}},
    {1046, K::Button, "okButton", {57, 78, 37, 14}, "确定", 0, {}},
    {2, K::Button, "cancelButton", {130, 79, 37, 14}, "取消", 0, {}},
}};
// clang-format on

// The about box (resource 100): the icon, the title line and OK.
// clang-format off
constexpr std::array<DialogControl, 3> kAboutBox = {{
    {0, K::Bitmap, "aboutIcon", {11, 17, 21, 20}, "", 0, {}},
    {0, K::Label, "aboutTitle", {40, 10, 244, 8}, "", 0, {}},
    {1, K::Button, "okButton", {290, 7, 50, 14}, "确定", 0, {}},
}};
// clang-format on

constexpr std::string_view kSequenceHint =
    "请尽量保留默认序号，同一团组多人自行编号请填写阿拉伯数字并升序排列，注意避免重号";
constexpr std::string_view kPinyinHint = "软件拼写可能不准确，请仔细核实";
constexpr std::string_view kDotListHint = "请下拉选择少数民族人名之间的点号";
constexpr std::string_view kDotButtonHint = "点击按钮可输入少数民族人名之间的点号";

constexpr std::array<FixedTooltip, 21> kMainFormTooltips = {{
    {1004, "《因公团组信息表》团组序号，请向团组信息录入人员索要此项信息"},
    {1005, "应填写任务批件所附人员名单中的顺序号"},
    {1006, "无姓氏的人员可不填写此项，但姓和名必须有一个填写"},
    {1007, "无名字的人员可不填写此项，但姓和名必须有一个填写"},
    {1008, kPinyinHint},
    {1009, kPinyinHint},
    {1033, "填写由技术监督局分配的单位组织机构代码，部队请填写番号"},
    {1015, "填写单位注册登记的名称，应与在外交部领事司备案的信息一致"},
    {1011, "当证件种类选择\"军官证\"时此项可不填，否则必须填写"},
    {1036, "此处填写的内容不会打印到护照上,对外身份主要帮助业务人员判断发放护照的类型，除军队及国家"
           "机关驻外人员、记者外无需填写此项"},
    {1020, "选择不同的职业属性此处列出不同的职务，请先选择职业属性后再选择此项"},
    {1038, "不包含过期无效护照,原有护照将要过期的请选择\"需注销\",当有多个出访任务，需要多本护照时"
           "请选择\"准持\""},
    {1021, "当原持有效护照情况选择\"需注销\"、\"准持\"时，必须填写对应的护照号码"},
    {1024, "电子护照指定照相点照相后分配的编号"},
    {1051, "请下拉选择文件类型（批件/确认件）"},
    {1050, kDotListHint},
    {1053, kDotButtonHint},
    {1054, kDotButtonHint},
    {1005, kSequenceHint},
    {1062, kSequenceHint},
    {1024, "如没有，请填写20位数字0"},
}};

constexpr std::array<DialogControl, 2> kMainFormAdditions = {{
    {2001, ControlKind::Button, "applicantsButton", {487, 318, 50, 14}, "申请人列表", 0, {}},
    {2002, ControlKind::CheckBox, "keepGroupBox", {482, 341, 76, 10}, "保留团组信息", 0, {}},
}};

constexpr std::array<CommandKey, 7> kCommandKeys = {{
    {"newButton", "Ctrl+N"},
    {"openButton", "Ctrl+O"},
    {"editButton", "Ctrl+E"},
    {"saveButton", "Ctrl+S"},
    {"printButton", "Ctrl+P"},
    {"printPreviewButton", "Ctrl+Shift+P"},
    {"applicantsButton", "Ctrl+L"},
}};

// Keys of their own for the controls the tab order reaches late: 工作单位 (danwei), 批件/确认件
// (pijian), 国内/国外 (guo), 民族 (minzu), 已备案 (bei'an) and 备注's categories (zhu), which it
// never reaches.
constexpr std::array<FieldKey, 6> kFieldKeys = {{
    {"workUnit", "Alt+D"},
    {"approvalKind", "Alt+P"},
    {"birthPlaceScope", "Alt+G"},
    {"ethnicity", "Alt+M"},
    {"filingStatus", "Alt+B"},
    {"remarkCategory", "Alt+Z"},
}};

// Controls that share their label tell which part they are; those without a label say what they
// hold.
constexpr std::string_view kSurnameCandidates = "中文姓拼音候选";
constexpr std::string_view kGivenNameCandidates = "中文名拼音候选";
constexpr std::string_view kSurnameDot = "中文姓点号";
constexpr std::string_view kGivenNameDot = "中文名点号";

constexpr std::array<ControlName, 13> kMainFormNames = {{
    {"surnamePinyinList", kSurnameCandidates},
    {"givenNamePinyinList", kGivenNameCandidates},
    {"surnameDotButton", kSurnameDot},
    {"givenNameDotButton", kGivenNameDot},
    {"nameDot", "少数民族人名点号"},
    {"approvalKind", "出国任务批件类型"},
    {"approvalNumber", "出国任务批件号"},
    {"birthPlaceScope", "出生地国内外"},
    {"birthPlace", "出生地"},
    {"ethnicityOther", "其他民族"},
    {"filingStatus", "人员审批及备案情况"},
    {"filingNumber", "人员审批及备案号"},
    {"remarkCategory", "备注类别"},
}};

constexpr std::array<ControlName, 4> kIdentityEditorNames = {{
    {"surnamePinyinList", kSurnameCandidates},
    {"givenNamePinyinList", kGivenNameCandidates},
    {"surnameDotButton", kSurnameDot},
    {"givenNameDotButton", kGivenNameDot},
}};

constexpr std::array<FixedTooltip, 2> kIdentityEditorTooltips = {{
    {1053, kDotButtonHint},
    {1054, kDotButtonHint},
}};

} // namespace

std::span<const DialogControl> mainFormLayout() {
    return kMainForm;
}

std::span<const DialogControl> mainFormAdditions() {
    return kMainFormAdditions;
}

std::span<const CommandKey> mainFormCommandKeys() {
    return kCommandKeys;
}

std::span<const FieldKey> mainFormFieldKeys() {
    return kFieldKeys;
}

std::span<const DialogControl> identityEditorLayout() {
    return kIdentityEditor;
}

std::span<const DialogControl> aboutBoxLayout() {
    return kAboutBox;
}

const DialogControl* findControl(std::span<const DialogControl> layout, int id) {
    for (const DialogControl& item : layout) {
        if (item.id == id && id != 0) {
            return &item;
        }
    }
    return nullptr;
}

const DialogControl* findFieldControl(std::span<const DialogControl> layout, record::Field field) {
    for (const DialogControl& item : layout) {
        if (item.field == field) {
            return &item;
        }
    }
    return nullptr;
}

std::span<const FixedTooltip> mainFormTooltips() {
    return kMainFormTooltips;
}

std::span<const FixedTooltip> identityEditorTooltips() {
    return kIdentityEditorTooltips;
}

std::string_view tooltipFor(std::span<const FixedTooltip> tooltips, int controlId) {
    for (const FixedTooltip& tooltip : tooltips) {
        if (tooltip.controlId == controlId) {
            return tooltip.text;
        }
    }
    return {};
}

std::span<const ControlName> mainFormNames() {
    return kMainFormNames;
}

std::span<const ControlName> identityEditorNames() {
    return kIdentityEditorNames;
}

std::string_view captionWords(std::string_view labelText) {
    for (const std::string_view colon : {"：", ":"}) {
        if (labelText.ends_with(colon)) {
            labelText.remove_suffix(colon.size());
        }
    }
    for (const std::string_view required : {"（*）", "(*)"}) {
        if (labelText.ends_with(required)) {
            labelText.remove_suffix(required.size());
        }
    }
    return labelText;
}

std::string_view captionOf(std::span<const DialogControl> layout,
                           std::span<const ControlName> names, std::string_view control) {
    for (const ControlName& named : names) {
        if (named.control == control) {
            return named.name;
        }
    }
    for (const DialogControl& item : layout) {
        if (item.kind == ControlKind::Label && item.labelFor == control) {
            return captionWords(item.text);
        }
    }
    return {};
}

DialogBaseUnits dialogBaseUnits(int extentOf52Letters, int fontHeight) {
    return {(extentOf52Letters / 26 + 1) / 2, fontHeight};
}

PixelRect toPixels(const DialogRect& rect, const DialogBaseUnits& base) {
    return {mulDiv(rect.x, base.x, 4), mulDiv(rect.y, base.y, 8), mulDiv(rect.width, base.x, 4),
            mulDiv(rect.height, base.y, 8)};
}

} // namespace parvelin::form
