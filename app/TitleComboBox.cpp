#include "app/TitleComboBox.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace parvelin::app {

namespace {

constexpr int kDroppedWidth = 350; // pixels: the long bilingual titles can be read when dropped

} // namespace

TitleComboBox::TitleComboBox(QWidget* parent)
    : DropDownList(parent) {
    beforeOpening([](QAbstractItemView* view) { view->setMinimumWidth(kDroppedWidth); });
}

void TitleComboBox::setNoteText(const QString& note) {
    if (note != m_note) {
        m_note = note;
        update();
    }
}

void TitleComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = m_note;
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace parvelin::app
