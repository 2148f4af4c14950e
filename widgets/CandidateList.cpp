#include "widgets/CandidateList.h"

#include "widgets/ListControls.h"

#include <QKeyEvent>

namespace parvelin::widgets {

CandidateList::CandidateList(QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Reached from its name box only, never by Tab from elsewhere.
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit chosen(candidateOf(item), false); });
}

bool CandidateList::entersFromNameBox(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Tab:
        return event.modifiers() == Qt::NoModifier;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

void CandidateList::enter() {
    setFocus(Qt::TabFocusReason);
    if (count() > 0) {
        setCurrentRow(0);
    }
}

void CandidateList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (QListWidgetItem* item = currentItem()) {
            emit chosen(candidateOf(item), true);
        }
        event->accept();
        return;
    case Qt::Key_Escape:
        emit dismissed();
        event->accept();
        return;
    default:
        QListWidget::keyPressEvent(event);
        event->accept(); // keys the list does not use go no further
        return;
    }
}

bool CandidateList::focusNextPrevChild(bool) {
    return true; // Tab leaves nothing pending behind: the choice is made with Enter or Esc
}

} // namespace parvelin::widgets
