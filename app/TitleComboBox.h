#pragma once

#include "widgets/DropDownList.h"

namespace parvelin::app {

// The title list of the form. The operator picks a title with "***" from the list, but the box
// shows the final note in its place: the title completed with the related person's name.
class TitleComboBox final : public widgets::DropDownList {
    Q_OBJECT
public:
    explicit TitleComboBox(QWidget* parent);

    void setNoteText(const QString& note);
    const QString& noteText() const { return m_note; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_note;
};

} // namespace parvelin::app
