#pragma once

#include <QDialog>

namespace parvelin::app {

// The about box: the icon, the product's title with its version, and OK.
class AboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent);
};

} // namespace parvelin::app
