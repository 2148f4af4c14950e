#include "app/IdentityEditor.h"

#include "form/DialogTemplates.h"
#include "form/FormTexts.h"
#include "input/NameEntry.h"
#include "widgets/Accessibility.h"
#include "widgets/CandidateList.h"
#include "widgets/DialogControls.h"
#include "widgets/GbkInput.h"
#include "widgets/NamePair.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace parvelin::app {

namespace {

constexpr std::string_view kCaption = "更新用户对外身份";

template <typename Widget>
Widget* childNamed(QWidget* parent, std::string_view name) {
    return parent->findChild<Widget*>(widgets::qText(name), Qt::FindDirectChildrenOnly);
}

} // namespace

IdentityEditor::IdentityEditor(const input::NameRomanizer& romanizer,
                               widgets::PlatformServices& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setWindowTitle(widgets::qText(kCaption));
    setFont(widgets::dialogFont());
    const form::DialogBaseUnits units = widgets::baseUnitsOf(font());
    setFixedSize(widgets::pixelRect(form::kIdentityEditorRect, units).size());

    for (const form::DialogControl& item : form::identityEditorLayout()) {
        QWidget* widget = widgets::createControl(item, this);
        widgets::placeControl(widget, item, units);
        const std::string_view tip = form::tooltipFor(form::identityEditorTooltips(), item.id);
        if (!tip.empty()) {
            widget->setToolTip(widgets::qText(tip));
        }
        widget->installEventFilter(this);
    }
    widgets::nameControls(this, form::identityEditorLayout(), form::identityEditorNames());

    m_chinese = {childNamed<QLineEdit>(this, "surnameChinese"),
                 childNamed<QLineEdit>(this, "givenNameChinese")};
    m_pinyin = {childNamed<QLineEdit>(this, "surnamePinyin"),
                childNamed<QLineEdit>(this, "givenNamePinyin")};
    const std::array<widgets::CandidateList*, 2> lists = {
        childNamed<widgets::CandidateList>(this, "surnamePinyinList"),
        childNamed<widgets::CandidateList>(this, "givenNamePinyinList")};
    m_ok = childNamed<QPushButton>(this, "okButton");
    auto* cancel = childNamed<QPushButton>(this, "cancelButton");
    const std::array<QPushButton*, 2> dots = {childNamed<QPushButton>(this, "surnameDotButton"),
                                              childNamed<QPushButton>(this, "givenNameDotButton")};

    // Enter presses OK only when OK has the focus; elsewhere it moves on.
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &IdentityEditor::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const widgets::NamePair::Hooks hooks{[this] { readControls(); },
                                         [this] { writeControls(); },
                                         [this] { moveOn(focusWidget()); },
                                         {}};
    const std::array<widgets::NamePair::Values, 2> values = {{
        {&m_names.surnameChinese, &m_names.surnamePinyin},
        {&m_names.givenNameChinese, &m_names.givenNamePinyin},
    }};
    std::size_t guard = 0;
    for (const Side side : {Surname, GivenName}) {
        m_guards[guard++] = new widgets::GbkValidator(m_chinese[side], std::nullopt, false);
        m_guards[guard++] = new widgets::GbkValidator(m_pinyin[side], std::nullopt, false);
        // In the editor a candidate list covers only the pinyin box under it.
        m_pairs[side] = new widgets::NamePair(
            romanizer, side == Surname ? input::NameSide::Surname : input::NameSide::GivenName,
            {m_chinese[side], m_pinyin[side], lists[side], dots[side], {m_pinyin[side]}},
            values[side], hooks, this);
        connect(m_chinese[side], &QLineEdit::textChanged, this, [this, side] {
            if (m_silence == 0) {
                m_pairs[side]->nameEdited();
            }
        });
    }
    for (widgets::GbkValidator* validator : m_guards) {
        connect(
            validator, &widgets::GbkValidator::characterRefused, this,
            [this] {
                m_services.showNotice(this, widgets::qText(form::message::kCharacterNotStorable));
            },
            Qt::QueuedConnection);
    }
}

void IdentityEditor::readControls() {
    m_names.surnameChinese = widgets::toGbk(m_chinese[Surname]->text());
    m_names.givenNameChinese = widgets::toGbk(m_chinese[GivenName]->text());
    m_names.surnamePinyin = widgets::toGbk(m_pinyin[Surname]->text());
    m_names.givenNamePinyin = widgets::toGbk(m_pinyin[GivenName]->text());
}

void IdentityEditor::writeControls() {
    const QScopedValueRollback silence(m_silence, m_silence + 1);
    m_guards[0]->setLoadedText(widgets::fromGbk(m_names.surnameChinese));
    m_guards[1]->setLoadedText(widgets::fromGbk(m_names.surnamePinyin));
    m_guards[2]->setLoadedText(widgets::fromGbk(m_names.givenNameChinese));
    m_guards[3]->setLoadedText(widgets::fromGbk(m_names.givenNamePinyin));
}

void IdentityEditor::onOk() {
    readControls();
    if (const auto refusal = input::pendingChoiceMessage(m_pairs[Surname]->isChoosing(),
                                                         m_pairs[GivenName]->isChoosing())) {
        m_services.showNotice(this, widgets::qText(*refusal));
        return;
    }
    m_names = input::tidiedNames(m_names);
    writeControls();
    if (!input::namesComplete(m_names)) {
        m_services.showNotice(this, widgets::qText(input::message::kNamesMissing));
        return;
    }
    accept();
}

bool IdentityEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress ||
        qobject_cast<widgets::CandidateList*>(watched) != nullptr) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // As on the main form: from a name box with its list open, the keyboard goes into the list.
    for (widgets::NamePair* pair : m_pairs) {
        if (pair->takesKey(watched, *key)) {
            return true;
        }
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && watched != m_ok) {
        moveOn(static_cast<QWidget*>(watched));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Enter and a candidate taken with the keyboard move on to the next name box or to OK, never to
// a dot button: the Space that commits the next word would press it and add a dot to the name.
void IdentityEditor::moveOn(QWidget* from) {
    widgets::focusNextStop(from, [this](const QWidget* widget) {
        return widget == m_ok || qobject_cast<const QLineEdit*>(widget) != nullptr;
    });
}

} // namespace parvelin::app
