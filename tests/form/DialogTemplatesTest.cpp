#include "form/DialogTemplates.h"

#include <algorithm>
#include <set>
#include <utility>

#include <gtest/gtest.h>

namespace parvelin::form {
namespace {

bool intersects(const DialogRect& a, const DialogRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

TEST(DialogTemplates, DialogBaseUnitsRoundTheAverageLetterWidth) {
    struct Case {
        int extent, height;
        DialogBaseUnits expected;
        const char* why;
    };
    const Case cases[] = {
        {312, 13, {6, 13}, "MS Shell Dlg 8 pt at 96 dpi: the familiar 6 x 13 base units"},
        {311, 13, {6, 13}, "an average of 5.98 rounds up"},
        {285, 16, {5, 16}, "an average of 5.48 rounds down"},
        {286, 16, {6, 16}, "an average of 5.5 rounds up"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const DialogBaseUnits units = dialogBaseUnits(c.extent, c.height);
        EXPECT_EQ(units.x, c.expected.x);
        EXPECT_EQ(units.y, c.expected.y);
    }
}

TEST(DialogTemplates, DialogUnitsScaleLikeMapDialogRect) {
    struct Case {
        DialogRect units;
        DialogBaseUnits base;
        PixelRect expected;
        const char* why;
    };
    const Case cases[] = {
        {kMainFormRect, {6, 13}, {0, 0, 843, 726}, "the main form, 447 * 13 / 8 = 726.4"},
        {{102, 101, 117, 14}, {6, 13}, {153, 164, 176, 23}, "unit code box: 101 * 13 / 8 = 164.1"},
        {{487, 134, 50, 14}, {6, 13}, {731, 218, 75, 23}, "New button: 487 * 6 / 4 = 730.5 up"},
        {{1, 3, 1, 1}, {7, 12}, {2, 5, 2, 2}, "halves round away from zero"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(toPixels(c.units, c.base), c.expected);
    }
}

TEST(DialogTemplates, EveryFieldHasExactlyOneControl) {
    std::multiset<record::Field> fields;
    for (const DialogControl& item : mainFormLayout()) {
        if (item.field) {
            fields.insert(*item.field);
        }
    }
    for (int f = 0; f < static_cast<int>(record::Field::groupNumber); ++f) {
        EXPECT_EQ(fields.count(static_cast<record::Field>(f)), 1u)
            << record::fieldLabel(static_cast<record::Field>(f));
    }
    EXPECT_EQ(fields.count(record::Field::groupNumber), 0u) << "the group number has no control";
}

TEST(DialogTemplates, ControlNumbersAndNamesAreUnique) {
    for (const auto layout : {mainFormLayout(), identityEditorLayout(), aboutBoxLayout()}) {
        std::set<int> ids;
        std::set<std::string_view> names;
        for (const DialogControl& item : layout) {
            if (item.id != 0) {
                EXPECT_TRUE(ids.insert(item.id).second) << item.id;
            }
            if (!item.name.empty()) {
                EXPECT_TRUE(names.insert(item.name).second) << item.name;
            }
        }
    }
}

TEST(DialogTemplates, FirstEnabledTabStopIsTheApprovalNumber) {
    // Initialisation leaves the focus on the first control Tab reaches.
    for (const DialogControl& item : mainFormLayout()) {
        const bool focusable = item.kind != ControlKind::Label &&
                               item.kind != ControlKind::Bitmap &&
                               item.kind != ControlKind::GroupBox;
        if (focusable && !item.has(control::kHidden) && !item.has(control::kDisabled) &&
            !item.has(control::kNoTabStop)) {
            EXPECT_EQ(item.name, "approvalNumber");
            return;
        }
    }
    FAIL() << "no tab stop";
}

TEST(DialogTemplates, CandidateListsCoverTheControlsTheyHide) {
    // While a candidate list is open, the controls under it are hidden so that they cannot take
    // clicks through it: the pinyin box and its neighbours below.
    struct Case {
        int list;
        std::set<std::string_view> covered;
    };
    const Case cases[] = {
        {1063, {"surnamePinyin", "idDocumentType", "birthPlaceScope", "birthPlace"}},
        {1064, {"givenNamePinyin", "idDocumentNumber", "birthDate"}},
    };
    for (const Case& c : cases) {
        const DialogControl* list = findControl(mainFormLayout(), c.list);
        ASSERT_NE(list, nullptr);
        std::set<std::string_view> covered;
        for (const DialogControl& item : mainFormLayout()) {
            if (item.field && &item != list && item.kind != ControlKind::DropDownList) {
                if (intersects(item.rect, list->rect)) {
                    covered.insert(item.name);
                }
            } else if (item.field &&
                       intersects({item.rect.x, item.rect.y, item.rect.width, 14}, list->rect)) {
                covered.insert(item.name);
            }
        }
        EXPECT_EQ(covered, c.covered) << c.list;
    }
}

TEST(DialogTemplates, TitleNoteLiesInsideTheTitleListLeavingItsButton) {
    const DialogControl* note =
        findFieldControl(mainFormLayout(), record::Field::externalIdentityNote);
    const DialogControl* list =
        findFieldControl(mainFormLayout(), record::Field::externalIdentityNoteChoice);
    ASSERT_NE(note, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(note->rect.x, list->rect.x);
    EXPECT_EQ(note->rect.y, list->rect.y);
    EXPECT_EQ(list->rect.width - note->rect.width, 12) << "the drop-down button stays uncovered";
}

TEST(DialogTemplates, TooltipsKeepTheirFirstRegistration) {
    struct Case {
        int id;
        std::string_view text;
        const char* why;
    };
    const Case cases[] = {
        {1005, "应填写任务批件所附人员名单中的顺序号", "personal sequence, registered twice"},
        {1024, "电子护照指定照相点照相后分配的编号", "photo number, registered twice"},
        {1062, "请尽量保留默认序号，同一团组多人自行编号请填写阿拉伯数字并升序排列，注意避免重号",
         "the hint sign carries the second text of 1005"},
        {1011, "当证件种类选择\"军官证\"时此项可不填，否则必须填写", "ASCII quotes kept"},
        {1017, "", "the title list's tip is dynamic"},
        {1063, "", "no tip for the candidate lists"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(tooltipFor(mainFormTooltips(), c.id), c.text);
    }
    for (const FixedTooltip& tooltip : mainFormTooltips()) {
        EXPECT_NE(findControl(mainFormLayout(), tooltip.controlId), nullptr) << tooltip.controlId;
    }
}

TEST(DialogTemplates, CaptionsAreTheLabelsWordsOrANameOfTheirOwn) {
    struct Case {
        std::string_view label, words;
        const char* why;
    };
    const Case cases[] = {
        {"中文姓（*）", "中文姓", "the full-width required mark"},
        {"原持有效护照情况(*)", "原持有效护照情况", "the ASCII required mark"},
        {"出国任务批件号（*）：", "出国任务批件号", "a mark before a colon"},
        {"将对外身份对应的***改为：", "将对外身份对应的***改为", "asterisks inside stay"},
        {"对外单位", "对外单位", "nothing to take away"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(captionWords(c.label), c.words);
    }

    // Every control that holds a value, and each candidate list, is called by a caption of its
    // own in its window: two controls that share a label say which part each is.
    const std::pair<std::span<const DialogControl>, std::span<const ControlName>> windows[] = {
        {mainFormLayout(), mainFormNames()}, {identityEditorLayout(), identityEditorNames()}};
    for (const auto& [layout, names] : windows) {
        std::set<std::string_view> captions;
        for (const DialogControl& item : layout) {
            if (!item.labelFor.empty()) {
                EXPECT_EQ(item.kind, ControlKind::Label) << item.labelFor;
                const auto named = std::ranges::find(layout, item.labelFor, &DialogControl::name);
                EXPECT_NE(named, layout.end()) << item.labelFor;
            }
            const bool input = (item.field && item.field != record::Field::externalIdentityNote) ||
                               item.kind == ControlKind::ListBox;
            if (input) {
                const std::string_view caption = captionOf(layout, names, item.name);
                EXPECT_FALSE(caption.empty()) << item.name;
                EXPECT_TRUE(captions.insert(caption).second) << caption;
            }
        }
        for (const ControlName& named : names) {
            EXPECT_NE(std::ranges::find(layout, named.control, &DialogControl::name), layout.end())
                << named.control;
        }
    }
}

TEST(DialogTemplates, FieldKeysAreAltLettersOfTheirOwn) {
    std::set<std::string_view> keys;
    for (const CommandKey& command : mainFormCommandKeys()) {
        keys.insert(command.keys);
    }
    // The questions' buttons answer Alt+Y (是) and Alt+N (否): a key that came a moment late
    // would answer a question.
    keys.insert("Alt+Y");
    keys.insert("Alt+N");
    for (const FieldKey& key : mainFormFieldKeys()) {
        SCOPED_TRACE(key.control);
        ASSERT_EQ(key.keys.size(), 5u);
        EXPECT_TRUE(key.keys.starts_with("Alt+"));
        EXPECT_TRUE(key.keys[4] >= 'A' && key.keys[4] <= 'Z');
        EXPECT_TRUE(keys.insert(key.keys).second) << "taken already: " << key.keys;
        const auto control = std::ranges::find(mainFormLayout(), key.control, &DialogControl::name);
        ASSERT_NE(control, mainFormLayout().end());
        EXPECT_TRUE(control->field.has_value()) << "a field's control, not a button";
    }
}

} // namespace
} // namespace parvelin::form
