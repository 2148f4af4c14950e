#include "widgets/DatePicker.h"

#include <algorithm>

#include <QCalendarWidget>
#include <QEvent>
#include <QScreen>

namespace parvelin::widgets {

DatePicker::DatePicker(QWidget* parent)
    : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setCalendarPopup(true);
    // The dates a record can hold (the record text reads years 100 to 9999).
    setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    // Qt places the calendar's window under the picker's left edge before showing it.
    calendarWidget()->window()->installEventFilter(this);
}

bool DatePicker::focusNextPrevChild(bool next) {
    // QDateEdit steps through its sections here; the form's focus chain goes on instead.
    return QWidget::focusNextPrevChild(next);
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched == calendarWidget()->window()) {
        alignCalendarRight(calendarWidget()->window());
    }
    return QDateEdit::eventFilter(watched, event);
}

void DatePicker::alignCalendarRight(QWidget* popup) const {
    int left = mapToGlobal(QPoint(width(), 0)).x() - popup->width();
    if (const QScreen* where = screen()) {
        left = std::max(left, where->availableGeometry().left());
    }
    popup->move(left, popup->y());
}

} // namespace parvelin::widgets
