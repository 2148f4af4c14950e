#include "widgets/DropDownList.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProxyStyle>

namespace parvelin::widgets {

namespace {

// The application's style, but for the one hint that lays an open list over its box.
class ListsBelowStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// One style for every list, gone with the application.
QStyle* listsBelowStyle() {
    static const QPointer<QStyle> style = [] {
        auto* created = new ListsBelowStyle;
        created->setParent(QCoreApplication::instance());
        return QPointer<QStyle>(created);
    }();
    return style;
}

} // namespace

DropDownList::DropDownList(QWidget* parent)
    : QComboBox(parent) {}

void DropDownList::beforeOpening(std::function<void(QAbstractItemView*)> prepare) {
    if (m_prepared) {
        prepare(view());
    } else {
        m_preparations.push_back(std::move(prepare));
    }
}

void DropDownList::showPopup() {
    if (!m_prepared) {
        m_prepared = true;
        // A new style makes the box rebuild its popup, so the hint is given here, where the popup
        // is wanted, not when the box is made.
        setStyle(listsBelowStyle());
        for (const auto& prepare : m_preparations) {
            prepare(view());
        }
        m_preparations.clear();
    }
    QComboBox::showPopup();
}

} // namespace parvelin::widgets
