#pragma once

#include "form/DialogTemplates.h"

#include <functional>

#include <QRect>
#include <QString>

class QFont;
class QWidget;

namespace parvelin::widgets {

// Building a window from its layout table: one Qt widget per control, placed by converting the
// table's dialog units with the metrics of the window's font.

// The font of the program's windows: 8 points at 96 dots per inch, as the layout tables are
// drawn, in named faces rather than the desktop's, so that the dialog units are the same under
// every locale (a locale-chosen face for Chinese would raise the line height) and the main form
// fits a 1366 x 768 screen. Latin letters and digits come from Liberation Sans, which sets the
// dialog units; Chinese from WenQuanYi Zen Hei. The size is in Qt's device-independent pixels, so
// a high-DPI screen scales the windows by its device-pixel ratio.
QFont dialogFont();

form::DialogBaseUnits baseUnitsOf(const QFont& font);
QRect pixelRect(const form::DialogRect& rect, const form::DialogBaseUnits& base);

// A widget of the control's kind with its text and initial flags (hidden, disabled, read-only,
// no tab stop); not placed, and not yet shown. Labels, frames and bitmaps are QLabel and QGroupBox;
// edits are QLineEdit, the multi-line edit GbkPlainTextEdit; drop-down lists DropDownList, list
// boxes CandidateList; date pickers DatePicker.
QWidget* createControl(const form::DialogControl& item, QWidget* parent);

// The object name of a label that names a control: the control's, with "Label" ("sexLabel").
QString labelNameFor(std::string_view control);

// Places a widget where the table puts it and shows it unless the table hides it. A drop-down
// list's table height includes its dropped list; the closed list is as high as an edit box.
void placeControl(QWidget* widget, const form::DialogControl& item,
                  const form::DialogBaseUnits& base);

// Moves the focus on from `from` in its window's tab order, as Tab does, but only to a control
// that `isStop` names and that takes the focus now (enabled, shown, a tab stop), round past the
// last. False, with the focus where it was, when there is none.
bool focusNextStop(QWidget* from, const std::function<bool(const QWidget*)>& isStop);

} // namespace parvelin::widgets
