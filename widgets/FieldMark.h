#pragma once

#include <QPalette>
#include <QPointer>
#include <QWidget>

namespace parvelin::widgets {

// The control a failed check points at, tinted until the clerk changes it (or the form moves on
// to another applicant). One control at a time.
class FieldMark {
public:
    void mark(QWidget* control);
    void clear();
    // A change of `control`: clears the mark where it is the marked one.
    void changed(const QWidget* control);

    const QWidget* marked() const { return m_control; }

private:
    QPointer<QWidget> m_control;
    QPalette m_palette;
};

} // namespace parvelin::widgets
