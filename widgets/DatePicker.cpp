#include "widgets/DatePicker.h"

#include <algorithm>

#include <QCalendarWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace parvelin::widgets {

namespace {

enum class CalendarKey { None, Open, Close };

// F4 and Alt+Down open the calendar and close it again; Alt+Up closes it. Qt's date box takes
// Alt+Down and Alt+Up as Down and Up, which step the date unnoticed.
CalendarKey calendarKeyOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_F4 && modifiers == Qt::NoModifier) {
        return CalendarKey::Open;
    }
    if (modifiers != Qt::AltModifier) {
        return CalendarKey::None;
    }
    switch (event.key()) {
    case Qt::Key_Down:
        return CalendarKey::Open;
    case Qt::Key_Up:
        return CalendarKey::Close;
    default:
        return CalendarKey::None;
    }
}

} // namespace

DatePicker::DatePicker(QWidget* parent)
    : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setCalendarPopup(true);
    // The dates a record can hold (the record text reads years 100 to 9999).
    setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    // The calendar is left for Qt to make when it first drops down: making it (with its icons
    // from the theme) would hold up the form's first appearance for a window few clerks open.
}

// Qt polishes the calendar's window just before it first shows, with everything inside it made.
// Qt places that window under the picker's left edge before showing it; the keys that close it
// reach the control inside it that has the focus, which would take the arrows as a move to
// another day.
void DatePicker::childEvent(QChildEvent* event) {
    QDateEdit::childEvent(event);
    if (m_calendar || !event->polished() || !event->child()->isWidgetType()) {
        return;
    }
    auto* popup = static_cast<QWidget*>(event->child());
    if (!popup->isWindow() || popup->findChild<QCalendarWidget*>() == nullptr) {
        return;
    }
    m_calendar = popup;
    popup->installEventFilter(this);
    for (QWidget* inside : popup->findChildren<QWidget*>()) {
        inside->installEventFilter(this);
    }
}

bool DatePicker::focusNextPrevChild(bool next) {
    // QDateEdit steps through its sections here; the form's focus chain goes on instead.
    return QWidget::focusNextPrevChild(next);
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched == m_calendar) {
        alignCalendarRight(m_calendar);
    } else if (event->type() == QEvent::KeyPress &&
               calendarKeyOf(*static_cast<QKeyEvent*>(event)) != CalendarKey::None) {
        if (m_calendar) {
            m_calendar->close(); // the date as the calendar shows it, as when it closes otherwise
        }
        return true;
    }
    return QDateEdit::eventFilter(watched, event);
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
    switch (calendarKeyOf(*event)) {
    case CalendarKey::Open:
        dropCalendarDown();
        return;
    case CalendarKey::Close:
        return; // no calendar to close, and no step either
    case CalendarKey::None:
        break;
    }
    QDateEdit::keyPressEvent(event);
}

// Qt drops the calendar down only for a press on the picker's arrow; the keys press it there.
void DatePicker::dropCalendarDown() {
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    const QPointF at = arrow.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QDateEdit::mousePressEvent(&press);
}

void DatePicker::alignCalendarRight(QWidget* popup) const {
    int left = mapToGlobal(QPoint(width(), 0)).x() - popup->width();
    if (const QScreen* where = screen()) {
        left = std::max(left, where->availableGeometry().left());
    }
    popup->move(left, popup->y());
}

} // namespace parvelin::widgets
