#include "widgets/FieldMark.h"

namespace parvelin::widgets {

namespace {

// A pale red behind the text: black text on it keeps a contrast of 15:1.
const QColor kMarkedBackground(0xFF, 0xD7, 0xD7);

} // namespace

void FieldMark::mark(QWidget* control) {
    clear();
    m_control = control;
    m_palette = control->palette();
    QPalette tinted = m_palette;
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button}) {
        tinted.setColor(QPalette::Active, role, kMarkedBackground);
        tinted.setColor(QPalette::Inactive, role, kMarkedBackground);
    }
    control->setPalette(tinted);
}

void FieldMark::clear() {
    if (m_control) {
        // Colours set on the control meanwhile (the text colour of the pinyin boxes) stay.
        QPalette restored = m_control->palette();
        for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button}) {
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
                restored.setColor(group, role, m_palette.color(group, role));
            }
        }
        m_control->setPalette(restored);
    }
    m_control = nullptr;
}

void FieldMark::changed(const QWidget* control) {
    if (control != nullptr && control == m_control) {
        clear();
    }
}

} // namespace parvelin::widgets
