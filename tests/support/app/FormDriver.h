#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace parvelin::test {

// Driving widgets as an operator does.

// Types text into the widget that has the focus: one key press per character carrying that
// character, as a keyboard layout delivers Chinese characters too (QTest::keyClicks cannot).
inline void typeText(QWidget* widget, const QString& text) {
    for (const uint codePoint : text.toUcs4()) {
        const QString character =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoint), 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &release);
    }
}

// What an input method hands over when the operator confirms a phrase.
inline void commitText(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// Opens a drop-down list, moves to the entry with the text and presses Enter.
inline bool chooseEntry(QComboBox* list, const QString& text) {
    const int row = list->findText(text, Qt::MatchExactly);
    if (row < 0) {
        return false;
    }
    list->setFocus(Qt::MouseFocusReason);
    list->showPopup();
    QAbstractItemView* view = list->view();
    view->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
    // The closed popup hands the activation back to the window, as a desktop does.
    list->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(list->window())) {
        return false;
    }
    return list->currentIndex() == row && QApplication::focusWidget() == list;
}

// The text of a line edit, of the multi-line remarks box, of a list's choice or of a date.
inline QString textOf(const QWidget* widget) {
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) {
        return plain->toPlainText();
    }
    if (auto* list = qobject_cast<const QComboBox*>(widget)) {
        return list->currentText();
    }
    if (auto* picker = qobject_cast<const QDateEdit*>(widget)) {
        return picker->date().toString(Qt::ISODate);
    }
    return static_cast<const QLineEdit*>(widget)->text();
}

inline QStringList itemTexts(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.append(list->itemText(i));
    }
    return texts;
}

inline QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.append(list->item(i)->text());
    }
    return texts;
}

// Every drop-down list of a window: its name, selection and entries.
inline QStringList listStates(const QWidget* window) {
    QStringList states;
    for (const QComboBox* box : window->findChildren<QComboBox*>()) {
        states.append(box->objectName() + QLatin1Char(' ') + QString::number(box->currentIndex()) +
                      QLatin1Char(' ') + itemTexts(box).join(QLatin1Char(',')));
    }
    return states;
}

// Clicks an item of a list box.
inline void clickItem(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.constFirst()).center());
}

// The dialog classes that armed whenModal() acts wait for, one entry per act.
inline std::vector<const QMetaObject*>& awaitedModals() {
    static std::vector<const QMetaObject*> awaited;
    return awaited;
}

// Whether an armed act waits for a dialog of this class: a real box that none waits for would
// stay up until the test's time runs out.
inline bool isModalAwaited(const QMetaObject& dialog) {
    const auto& awaited = awaitedModals();
    return std::any_of(awaited.begin(), awaited.end(),
                       [&dialog](const QMetaObject* type) { return dialog.inherits(type); });
}

// Acts on the next modal dialog of the type as soon as it is up (the form opens some after the
// event that asked for them, inside their own event loop). `act` must close the dialog.
template <typename Dialog>
void whenModal(std::function<void(Dialog*)> act) {
    awaitedModals().push_back(&Dialog::staticMetaObject);
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            auto& awaited = awaitedModals();
            awaited.erase(std::find(awaited.begin(), awaited.end(), &Dialog::staticMetaObject));
            act(dialog);
        }
    });
    timer->start();
}

} // namespace parvelin::test
