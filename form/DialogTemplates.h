#pragma once

#include "record/MemberRecord.h"

#include <optional>
#include <span>
#include <string_view>

namespace parvelin::form {

// The windows of the program described as data: every control with its number, kind, place and
// text, in template order, which is also the tab order. Positions are in dialog units, the
// font-relative unit of Windows dialog templates; the Qt layer converts them with the metrics of
// the font it uses (dialogBaseUnits below), so the proportions of the form survive on any screen.

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const DialogRect&) const = default;
};

enum class ControlKind {
    ListBox,
    Edit,
    MultiLineEdit,
    DropDownList,
    DatePicker,
    Button,
    GroupBox,
    Label,
    Bitmap,
    CheckBox,
};

// Properties of a control beyond its kind, as bit flags.
namespace control {
inline constexpr unsigned kSorted = 1u << 0;     // a list shown in collation order
inline constexpr unsigned kHidden = 1u << 1;     // not visible when the window opens
inline constexpr unsigned kDisabled = 1u << 2;   // greyed when the window opens
inline constexpr unsigned kReadOnly = 1u << 3;   // shows text the operator cannot edit
inline constexpr unsigned kNoTabStop = 1u << 4;  // skipped by Tab (and by Enter, which acts as Tab)
inline constexpr unsigned kDigitsOnly = 1u << 5; // an edit that takes decimal digits only
inline constexpr unsigned kLatinOnly = 1u << 6;  // holds Latin letters and digits: no input method
} // namespace control

struct DialogControl {
    int id = 0; // the control's number; 0 for labels, frames and the banner
    ControlKind kind = ControlKind::Label;
    std::string_view name; // the object name: the field or the role; empty for labels
    DialogRect rect;       // dialog units; a drop-down list's height includes its list
    std::string_view text; // UTF-8
    unsigned flags = 0;
    std::optional<record::Field> field; // the record value the control holds, if any
    // A label that stands beside one control and names it: that control's object name. The label
    // is linked to it, and its words are what a screen reader calls the control.
    std::string_view labelFor;

    bool has(unsigned flag) const { return (flags & flag) != 0; }
};

// The main form: 562 x 447 dialog units, 76 controls.
inline constexpr DialogRect kMainFormRect{0, 0, 562, 447};
std::span<const DialogControl> mainFormLayout();

// The main form's controls beyond its 76, below the command buttons: the applicants window's
// button and the check box that keeps the group's values for the next applicant.
std::span<const DialogControl> mainFormAdditions();
// The form's status line, in the free room below the additions: short notes such as where a page
// was sent, which need no answer.
inline constexpr DialogRect kStatusNoteRect{482, 356, 76, 80};

// The keys of the main form's commands, by button, as the buttons' tooltips name them.
struct CommandKey {
    std::string_view button; // the button's object name
    std::string_view keys;   // in the portable notation of key sequences: "Ctrl+Shift+P"
};
std::span<const CommandKey> mainFormCommandKeys();

// The keys of the controls that the tab order reaches only after the command buttons, or never:
// each takes the caret to its control, as the control's tooltip says. Alt with a letter of the
// control's pinyin, clear of the questions' Alt+Y and Alt+N and of every other key of the form.
struct FieldKey {
    std::string_view control; // the control's object name
    std::string_view keys;    // in the portable notation of key sequences: "Alt+D"
};
std::span<const FieldKey> mainFormFieldKeys();

// The identity editor: 239 x 101 dialog units.
inline constexpr DialogRect kIdentityEditorRect{0, 0, 239, 101};
std::span<const DialogControl> identityEditorLayout();

// The about box: 347 x 79 dialog units.
inline constexpr DialogRect kAboutBoxRect{0, 0, 347, 79};
std::span<const DialogControl> aboutBoxLayout();

// The control of a layout with a number, or with a record field; nullptr when there is none.
const DialogControl* findControl(std::span<const DialogControl> layout, int id);
const DialogControl* findFieldControl(std::span<const DialogControl> layout, record::Field field);

// Fixed tooltips in the order they are registered. A control registered twice keeps the first
// text: the tooltip shown for a window is the first registration found for it.
struct FixedTooltip {
    int controlId = 0;
    std::string_view text; // UTF-8
};
std::span<const FixedTooltip> mainFormTooltips();
std::span<const FixedTooltip> identityEditorTooltips();

// The text a control's tooltip shows: its first registration; empty when it has none.
std::string_view tooltipFor(std::span<const FixedTooltip> tooltips, int controlId);

// What a screen reader calls a control where no label names it alone: a control that shares its
// label with another (出生地's two lists) or stands without one (the candidate lists).
struct ControlName {
    std::string_view control; // the control's object name
    std::string_view name;    // UTF-8
};
std::span<const ControlName> mainFormNames();
std::span<const ControlName> identityEditorNames();

// The words of a label as a name: without the required mark "（*）" or "(*)" and a final colon.
std::string_view captionWords(std::string_view labelText);

// A control's caption: its own name where `names` gives one, else the words of the label of
// `layout` that names it; empty when neither does.
std::string_view captionOf(std::span<const DialogControl> layout,
                           std::span<const ControlName> names, std::string_view control);

// The title list's own tooltip while no title is chosen.
inline constexpr std::string_view kTitleListHint =
    "除外交常驻人员、外交信使、常驻记者、首席代表（均含随任或探亲配偶及未成年子女）外无需填写此项";

// Dialog base units: the average width of the dialog font's Latin letters and the font's height,
// in pixels. Windows takes the extent of "A".."Z" "a".."z" and rounds its 52nd part
// ((extent / 26 + 1) / 2, GdiGetCharDimensions); one horizontal dialog unit is a quarter of the
// average width and one vertical unit an eighth of the height (MapDialogRect).
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};
DialogBaseUnits dialogBaseUnits(int extentOf52Letters, int fontHeight);

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};
PixelRect toPixels(const DialogRect& rect, const DialogBaseUnits& base);

// The product's title in the about box (its version line is in form/ProductVersion.h), and its
// Chinese name, which begins the form's caption and captions the notices.
inline constexpr std::string_view kProductTitle = "Parvelin 因公护照申请表录入";
inline constexpr std::string_view kChineseName = "因公护照申请表录入";

} // namespace parvelin::form
