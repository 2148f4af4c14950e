#include "widgets/Accessibility.h"

#include "widgets/DatePicker.h"
#include "widgets/DialogControls.h"
#include "widgets/QtText.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace parvelin::widgets {

namespace {

// A drop-down list as Qt presents one (its entries as its child, the text box of an editable list
// as the second), but called by its accessible name where it has one; the entry shown is its
// value.
class ListAccessible final : public QAccessibleWidget {
public:
    explicit ListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            // Unnamed, it keeps the name Qt gives it on Linux: the entry shown.
            return list()->accessibleName().isEmpty() ? shown() : list()->accessibleName();
        case QAccessible::Value:
            return shown();
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    int childCount() const override { return list()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override {
        if (index == 0) {
            return QAccessible::queryAccessibleInterface(list()->view());
        }
        if (index == 1 && list()->isEditable()) {
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        }
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        if (child->object() == list()->view()) {
            return 0;
        }
        return list()->isEditable() && child->object() == list()->lineEdit() ? 1 : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QLineEdit* box = list()->lineEdit();
        if (box != nullptr && QRect(box->mapToGlobal(QPoint(0, 0)), box->size()).contains(x, y)) {
            return child(1);
        }
        return nullptr;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) {
            return;
        }
        if (list()->view()->isVisible()) {
            list()->hidePopup();
        } else {
            list()->showPopup();
        }
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(object()); }
    QString shown() const {
        return list()->isEditable() ? list()->lineEdit()->text() : list()->currentText();
    }
};

// A date picker as Qt presents a date box (a spin box whose text is its text box's), with its
// calendar as its child while the calendar is open.
class DatePickerAccessible final : public QAccessibleWidget {
public:
    explicit DatePickerAccessible(DatePicker* picker)
        : QAccessibleWidget(picker, QAccessible::SpinBox) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? picker()->text() : QAccessibleWidget::text(kind);
    }

    int childCount() const override { return calendarOpen() ? 1 : 0; }

    QAccessibleInterface* child(int index) const override {
        return index == 0 && calendarOpen() ? QAccessible::queryAccessibleInterface(calendar())
                                            : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && calendarOpen() && child->object() == calendar() ? 0 : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        return calendarOpen() && calendar()->frameGeometry().contains(x, y) ? child(0) : nullptr;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface || type == QAccessible::EditableTextInterface) {
            if (QAccessibleInterface* box =
                    QAccessible::queryAccessibleInterface(picker()->findChild<QLineEdit*>())) {
                return box->interface_cast(type);
            }
        }
        return QAccessibleWidget::interface_cast(type);
    }

private:
    DatePicker* picker() const { return static_cast<DatePicker*>(object()); }
    // Null until the calendar first drops down: a screen reader's questions do not make it.
    QWidget* calendar() const { return picker()->calendarWindow(); }
    bool calendarOpen() const { return calendar() != nullptr && calendar()->isVisible(); }
};

// A date picker's calendar window, under its picker rather than nowhere.
class CalendarAccessible final : public QAccessibleWidget {
public:
    explicit CalendarAccessible(QWidget* calendar)
        : QAccessibleWidget(calendar) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(widget()->parentWidget());
    }
};

QAccessibleInterface* programInterface(const QString&, QObject* object) {
    if (!object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (auto* picker = dynamic_cast<DatePicker*>(widget)) {
        return new DatePickerAccessible(picker);
    }
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        return new ListAccessible(list);
    }
    // A date picker's only window of its own is its calendar.
    if (widget->isWindow() && dynamic_cast<DatePicker*>(widget->parentWidget()) != nullptr) {
        return new CalendarAccessible(widget);
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    // Asked before Qt's own interfaces, which were installed with the application.
    static const bool installed = [] {
        QAccessible::installFactory(&programInterface);
        return true;
    }();
    static_cast<void>(installed);
}

void nameControls(QWidget* window, std::span<const form::DialogControl> layout,
                  std::span<const form::ControlName> names) {
    installAccessibility();
    const auto control = [window](std::string_view name) {
        return window->findChild<QWidget*>(qText(name), Qt::FindDirectChildrenOnly);
    };
    for (const form::DialogControl& item : layout) {
        const std::string_view caption = form::captionOf(layout, names, item.name);
        QWidget* named = item.name.empty() ? nullptr : control(item.name);
        if (named != nullptr && !caption.empty()) {
            named->setAccessibleName(qText(caption));
        }
        if (!item.labelFor.empty()) {
            auto* label =
                window->findChild<QLabel*>(labelNameFor(item.labelFor), Qt::FindDirectChildrenOnly);
            if (label != nullptr) {
                label->setBuddy(control(item.labelFor));
            }
        }
    }
}

} // namespace parvelin::widgets
