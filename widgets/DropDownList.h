#pragma once

#include <functional>
#include <vector>

#include <QComboBox>

class QAbstractItemView;

namespace parvelin::widgets {

// A drop-down list of the program's windows.
//
// It opens below its box (above only where the screen has no room below), its entries always in
// the same places. Some styles, Fusion among them, lay the open list over the box so that the
// chosen entry covers it: every entry then moves with the choice, and a click where an entry was
// a moment ago takes another.
//
// Its open list, Qt's popup and the view in it, is made when the list first opens rather than
// with the box: a form holds a dozen lists, a clerk opens few of them, and making every popup
// would hold up the form's first showing.
class DropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent);

    // `prepare` runs once on the open list's view before the list first opens, or at once if it
    // has opened already.
    void beforeOpening(std::function<void(QAbstractItemView*)> prepare);

    void showPopup() override;

private:
    std::vector<std::function<void(QAbstractItemView*)>> m_preparations;
    bool m_prepared = false;
};

} // namespace parvelin::widgets
