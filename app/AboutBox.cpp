#include "app/AboutBox.h"

#include "app/Artwork.h"
#include "form/DialogTemplates.h"
#include "form/ProductVersion.h"
#include "widgets/DialogControls.h"
#include "widgets/QtText.h"

#include <QLabel>
#include <QPushButton>

namespace parvelin::app {

namespace {

constexpr int kIconPixels = 32; // the icon as the desktop shows it in a dialog

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(widgets::qText("关于") + widgets::qText(form::kProductTitle));
    setFont(widgets::dialogFont());
    const form::DialogBaseUnits units = widgets::baseUnitsOf(font());
    setFixedSize(widgets::pixelRect(form::kAboutBoxRect, units).size());
    for (const form::DialogControl& item : form::aboutBoxLayout()) {
        QWidget* widget = widgets::createControl(item, this);
        widgets::placeControl(widget, item, units);
        if (item.name == "aboutIcon") {
            auto* icon = static_cast<QLabel*>(widget);
            icon->setPixmap(artwork::iconPixmap(kIconPixels, icon->devicePixelRatioF()));
            icon->resize(kIconPixels, kIconPixels);
        } else if (item.name == "aboutTitle") {
            static_cast<QLabel*>(widget)->setText(widgets::qText(form::kProductTitle) +
                                                  QLatin1Char(' ') +
                                                  widgets::qText(form::kVersionText));
        } else if (auto* ok = qobject_cast<QPushButton*>(widget)) {
            ok->setDefault(true);
            connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        }
    }
}

} // namespace parvelin::app
