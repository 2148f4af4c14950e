#include "widgets/CommandKeys.h"

#include "widgets/QtText.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace parvelin::widgets {

namespace {

QKeySequence sequenceOf(const form::CommandKey& key) {
    return QKeySequence(qText(key.keys), QKeySequence::PortableText);
}

} // namespace

void giveCommandKeys(QWidget* window, std::span<const form::CommandKey> keys) {
    for (const form::CommandKey& key : keys) {
        auto* button = window->findChild<QPushButton*>(qText(key.button));
        const QKeySequence sequence = sequenceOf(key);
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

bool isCommandKey(std::span<const form::CommandKey> keys, const QKeyEvent& event) {
    const QKeySequence pressed(event.keyCombination());
    for (const form::CommandKey& key : keys) {
        if (sequenceOf(key) == pressed) {
            return true;
        }
    }
    return false;
}

} // namespace parvelin::widgets
