#include "widgets/DialogControls.h"

#include "widgets/CandidateList.h"
#include "widgets/DatePicker.h"
#include "widgets/DropDownList.h"
#include "widgets/GbkInput.h"
#include "widgets/QtText.h"

#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parvelin::widgets {

namespace {

constexpr int kEditHeight = 14;    // dialog units of an edit box, and of a closed drop-down list
constexpr int kWrappedLabel = 10;  // labels higher than a line wrap their text
constexpr int kFontPixelSize = 11; // 8 points at 96 dots per inch, rounded as Qt rounds it

} // namespace

QFont dialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixelSize);
#ifdef _WIN32
    // Through DirectWrite, which vertical hinting asks for on Windows: GDI's full hinting of these
    // faces at 11 px drops vertical stems where its rasteriser is not the system's own (Wine's).
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    return font;
}

form::DialogBaseUnits baseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int extent = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return form::dialogBaseUnits(extent, metrics.height());
}

QRect pixelRect(const form::DialogRect& rect, const form::DialogBaseUnits& base) {
    const form::PixelRect pixels = form::toPixels(rect, base);
    return {pixels.x, pixels.y, pixels.width, pixels.height};
}

QWidget* createControl(const form::DialogControl& item, QWidget* parent) {
    QWidget* widget = nullptr;
    const QString text = qText(item.text);
    switch (item.kind) {
    case form::ControlKind::ListBox:
        widget = new CandidateList(parent);
        break;
    case form::ControlKind::Edit: {
        auto* edit =
            item.has(form::control::kLatinOnly) ? new LatinLineEdit(parent) : new QLineEdit(parent);
        edit->setReadOnly(item.has(form::control::kReadOnly));
        widget = edit;
        break;
    }
    case form::ControlKind::MultiLineEdit:
        widget = new GbkPlainTextEdit(parent);
        break;
    case form::ControlKind::DropDownList:
        widget = new DropDownList(parent);
        break;
    case form::ControlKind::DatePicker:
        widget = new DatePicker(parent);
        break;
    case form::ControlKind::Button: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    case form::ControlKind::GroupBox:
        widget = new QGroupBox(text, parent);
        break;
    case form::ControlKind::CheckBox:
        widget = new QCheckBox(text, parent);
        break;
    case form::ControlKind::Label:
    case form::ControlKind::Bitmap: {
        auto* label = new QLabel(text, parent);
        label->setWordWrap(item.rect.height > kWrappedLabel);
        widget = label;
        break;
    }
    }
    if (!item.name.empty()) {
        widget->setObjectName(qText(item.name));
    } else if (!item.labelFor.empty()) {
        widget->setObjectName(labelNameFor(item.labelFor));
    }
    if (item.has(form::control::kNoTabStop)) {
        widget->setFocusPolicy(Qt::ClickFocus);
    }
    widget->setEnabled(!item.has(form::control::kDisabled));
    if (item.has(form::control::kHidden)) {
        widget->hide();
    }
    return widget;
}

QString labelNameFor(std::string_view control) {
    return qText(control) + QStringLiteral("Label");
}

void placeControl(QWidget* widget, const form::DialogControl& item,
                  const form::DialogBaseUnits& base) {
    form::DialogRect rect = item.rect;
    if (item.kind == form::ControlKind::DropDownList) {
        rect.height = std::min(rect.height, kEditHeight);
    }
    widget->setGeometry(pixelRect(rect, base));
    // Shown once placed: a control shown before it has a size is first fitted to its text, a
    // layout of every caption that the table's size then throws away.
    if (!item.has(form::control::kHidden)) {
        widget->show();
    }
}

bool focusNextStop(QWidget* from, const std::function<bool(const QWidget*)>& isStop) {
    QWidget* window = from->window();
    for (QWidget* next = from->nextInFocusChain(); next != from; next = next->nextInFocusChain()) {
        if (next->window() == window && isStop(next) && next->isEnabled() &&
            next->isVisibleTo(window) && (next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

} // namespace parvelin::widgets
