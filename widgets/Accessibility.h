#pragma once

#include "form/DialogTemplates.h"

#include <span>

class QWidget;

namespace parvelin::widgets {

// What a screen reader is told about the windows' controls.

// The program's own accessibility interfaces for drop-down lists and date pickers, in place of
// Qt's. A list is called by its accessible name where it has one: Qt gives Linux desktops the
// entry it shows as its name, so every list would be called by its value. A date picker's open
// calendar is found under the picker: Qt leaves popups out of the tree. Installed once, before
// the first window is built, so that no list gets Qt's interface first.
void installAccessibility();

// Names the controls of a window built from `layout`: each control its caption
// (form::captionOf), and each label that names a control linked to it as its buddy, which a
// screen reader reports as the control's label.
void nameControls(QWidget* window, std::span<const form::DialogControl> layout,
                  std::span<const form::ControlName> names);

} // namespace parvelin::widgets
