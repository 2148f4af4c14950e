#pragma once

#include <QWidget>

namespace parvelin::app {

// The banner across the top of the main form, painted from its vector drawing at whatever pixel
// ratio the screen has, so that it stays sharp when the desktop scales the form. It keeps the
// drawing's proportions: its height follows the width it is given.
class Banner final : public QWidget {
public:
    explicit Banner(QWidget* parent);

    // Takes `width` and the height that goes with it.
    void fitWidth(int width);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace parvelin::app
