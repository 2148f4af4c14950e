#include "app/ui/AboutBox.h"

#include "app/FormLayout.h"
#include "app/ui/Artwork.h"
#include "app/ui/DialogControls.h"
#include "app/ui/QtText.h"

#include <QLabel>
#include <QPushButton>

namespace parvelin::app {

namespace {

constexpr int kIconPixels = 32; // the icon as the desktop shows it in a dialog

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(qText("关于") + qText(kProductTitle));
    setFont(dialogFont());
    const DialogBaseUnits units = baseUnitsOf(font());
    setFixedSize(pixelRect(kAboutBoxRect, units).size());
    for (const DialogControl& item : aboutBoxLayout()) {
        QWidget* widget = createControl(item, this);
        placeControl(widget, item, units);
        if (item.name == "aboutIcon") {
            auto* icon = static_cast<QLabel*>(widget);
            icon->setPixmap(QPixmap(artwork::kIcon)
                                .scaled(kIconPixels, kIconPixels, Qt::KeepAspectRatio,
                                        Qt::SmoothTransformation));
            icon->resize(kIconPixels, kIconPixels);
        } else if (item.name == "aboutTitle") {
            static_cast<QLabel*>(widget)->setText(qText(kProductTitle) + QLatin1Char(' ') +
                                                  qText(kVersionText));
        } else if (auto* ok = qobject_cast<QPushButton*>(widget)) {
            ok->setDefault(true);
            connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        }
    }
}

} // namespace parvelin::app
