#pragma once

#include "form/DialogTemplates.h"

#include <span>

class QKeyEvent;
class QWidget;

namespace parvelin::widgets {

// Gives each command button of `window` its keys: a shortcut that presses the button (while it
// is enabled), named in the button's tooltip ("保存（Ctrl+S）").
void giveCommandKeys(QWidget* window, std::span<const form::CommandKey> keys);

// Gives each control named in `keys` its key: a shortcut that takes the caret there (while the
// control is enabled and shown), named in the control's tooltip under what it says already.
void giveFieldKeys(QWidget* window, std::span<const form::FieldKey> keys);

// Whether a key event is one of the commands' keys. A text box would take some of them for itself
// (Ctrl+E moves to the end of the line); the window's filter lets the command have them.
bool isCommandKey(std::span<const form::CommandKey> keys, const QKeyEvent& event);
bool isFieldKey(std::span<const form::FieldKey> keys, const QKeyEvent& event);

} // namespace parvelin::widgets
