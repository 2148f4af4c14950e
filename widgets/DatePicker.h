#pragma once

#include <QDateEdit>
#include <QPointer>

namespace parvelin::widgets {

// A date picker as the forms use it: the date as yyyy-MM-dd, a calendar that drops down with its
// right edge at the picker's right edge, and one tab stop like every other control, so that Tab
// (and Enter, which the main form turns into Tab) leaves it at once; the arrow keys still move
// between year, month and day and step the one they are on. Alt+Down and F4 drop the calendar
// down, Alt+Up (or F4 again) closes it, as date boxes do on the desktop, and none of them
// changes the date.
class DatePicker final : public QDateEdit {
public:
    explicit DatePicker(QWidget* parent);

    // The calendar's window once it has been made (Qt makes it when it first drops down), or
    // null: asking does not make it.
    QWidget* calendarWindow() const { return m_calendar; }

protected:
    void childEvent(QChildEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void alignCalendarRight(QWidget* popup) const;
    void dropCalendarDown();

    QPointer<QWidget> m_calendar;
};

} // namespace parvelin::widgets
