#include "widgets/CommandKeys.h"

#include "widgets/QtText.h"

#include <algorithm>

#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace parvelin::widgets {

namespace {

QKeySequence sequenceOf(std::string_view keys) {
    return QKeySequence(qText(keys), QKeySequence::PortableText);
}

template <typename Key>
bool pressedOneOf(std::span<const Key> keys, const QKeyEvent& event) {
    const QKeySequence pressed(event.keyCombination());
    return std::ranges::any_of(keys,
                               [&](const Key& key) { return sequenceOf(key.keys) == pressed; });
}

} // namespace

void giveCommandKeys(QWidget* window, std::span<const form::CommandKey> keys) {
    for (const form::CommandKey& key : keys) {
        auto* button = window->findChild<QPushButton*>(qText(key.button));
        const QKeySequence sequence = sequenceOf(key.keys);
        button->setToolTip(button->text() + QStringLiteral("（") +
                           sequence.toString(QKeySequence::NativeText) + QStringLiteral("）"));
        auto* shortcut = new QShortcut(sequence, window);
        QObject::connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled() && button->isVisible()) {
                button->click();
            }
        });
    }
}

void giveFieldKeys(QWidget* window, std::span<const form::FieldKey> keys) {
    for (const form::FieldKey& key : keys) {
        auto* control = window->findChild<QWidget*>(qText(key.control), Qt::FindDirectChildrenOnly);
        const QKeySequence sequence = sequenceOf(key.keys);
        const QString named =
            QStringLiteral("快捷键：") + sequence.toString(QKeySequence::NativeText);
        const QString tip = control->toolTip();
        control->setToolTip(tip.isEmpty() ? named : tip + QLatin1Char('\n') + named);
        auto* shortcut = new QShortcut(sequence, window);
        QObject::connect(shortcut, &QShortcut::activated, control, [control] {
            if (control->isEnabled() && control->isVisible()) {
                control->setFocus(Qt::ShortcutFocusReason);
            }
        });
    }
}

bool isCommandKey(std::span<const form::CommandKey> keys, const QKeyEvent& event) {
    return pressedOneOf(keys, event);
}

bool isFieldKey(std::span<const form::FieldKey> keys, const QKeyEvent& event) {
    return pressedOneOf(keys, event);
}

} // namespace parvelin::widgets
