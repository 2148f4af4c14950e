#include "app/IdentityEditor.h"

#include "form/DialogTemplates.h"
#include "form/FormTexts.h"
#include "input/NameEntry.h"
#include "widgets/CandidateList.h"
#include "widgets/DialogControls.h"
#include "widgets/GbkInput.h"
#include "widgets/ListControls.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
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
    , m_romanizer(romanizer)
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

    m_chinese = {childNamed<QLineEdit>(this, "surnameChinese"),
                 childNamed<QLineEdit>(this, "givenNameChinese")};
    m_pinyin = {childNamed<QLineEdit>(this, "surnamePinyin"),
                childNamed<QLineEdit>(this, "givenNamePinyin")};
    m_lists = {childNamed<widgets::CandidateList>(this, "surnamePinyinList"),
               childNamed<widgets::CandidateList>(this, "givenNamePinyinList")};
    m_ok = childNamed<QPushButton>(this, "okButton");
    auto* cancel = childNamed<QPushButton>(this, "cancelButton");
    const std::array<QPushButton*, 2> dots = {childNamed<QPushButton>(this, "surnameDotButton"),
                                              childNamed<QPushButton>(this, "givenNameDotButton")};

    // Enter presses OK only when OK has the focus; elsewhere it moves on.
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &IdentityEditor::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    std::size_t guard = 0;
    for (const Side side : {Surname, GivenName}) {
        m_guards[guard++] = new widgets::GbkValidator(m_chinese[side], std::nullopt, false);
        m_guards[guard++] = new widgets::GbkValidator(m_pinyin[side], std::nullopt, false);
        connect(m_chinese[side], &QLineEdit::textChanged, this,
                [this, side] { nameChanged(side); });
        connect(m_lists[side], &widgets::CandidateList::chosen, this,
                [this, side](const record::GbkString& candidate, bool byKeyboard) {
                    candidateChosen(side, candidate, byKeyboard);
                });
        connect(m_lists[side], &widgets::CandidateList::dismissed, this,
                [this, side] { m_chinese[side]->setFocus(Qt::OtherFocusReason); });
        connect(dots[side], &QPushButton::clicked, this, [this, side] { dotClicked(side); });
        m_lists[side]->raise();
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

void IdentityEditor::nameChanged(Side side) {
    if (m_silence > 0) {
        return;
    }
    record::GbkString& name = side == Surname ? m_names.surnameChinese : m_names.givenNameChinese;
    record::GbkString& pinyin = side == Surname ? m_names.surnamePinyin : m_names.givenNamePinyin;
    {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        m_lists[side]->clear();
    }
    const record::GbkString previous = name;
    readControls();
    const input::NameChange change =
        input::nameFieldChanged(m_romanizer, previous, name, !m_lists[side]->isHidden());
    name = change.name;
    if (change.pinyin) {
        pinyin = *change.pinyin;
    }
    writeControls();
    m_chinese[side]->end(false);
    if (!change.candidates.empty()) {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        widgets::fillCandidates(m_lists[side], change.candidates);
    }
    if (change.showList) {
        showCandidates(side, *change.showList);
    }
}

void IdentityEditor::candidateChosen(Side side, const record::GbkString& candidate,
                                     bool byKeyboard) {
    if (m_silence > 0) {
        return;
    }
    readControls();
    (side == Surname ? m_names.surnamePinyin : m_names.givenNamePinyin) =
        input::chosenCandidate(candidate);
    writeControls();
    showCandidates(side, false);
    m_chinese[side]->setFocus(Qt::OtherFocusReason);
    m_chinese[side]->end(false);
    if (byKeyboard) {
        focusNextChild();
    }
}

void IdentityEditor::dotClicked(Side side) {
    readControls();
    record::GbkString& name = side == Surname ? m_names.surnameChinese : m_names.givenNameChinese;
    record::GbkString& pinyin = side == Surname ? m_names.surnamePinyin : m_names.givenNamePinyin;
    input::NamePart part = input::withNameDot({name, pinyin});
    name = std::move(part.chinese);
    pinyin = std::move(part.pinyin);
    writeControls();
}

// In the editor a candidate list covers only the pinyin box under it.
void IdentityEditor::showCandidates(Side side, bool show) {
    m_lists[side]->setVisible(show);
    m_pinyin[side]->setVisible(!show);
}

void IdentityEditor::onOk() {
    readControls();
    if (const auto refusal = input::pendingChoiceMessage(!m_lists[Surname]->isHidden(),
                                                         !m_lists[GivenName]->isHidden())) {
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
    for (const Side side : {Surname, GivenName}) {
        if (watched == m_chinese[side] && !m_lists[side]->isHidden() &&
            widgets::CandidateList::entersFromNameBox(*key)) {
            m_lists[side]->enter();
            return true;
        }
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && watched != m_ok) {
        focusNextChild();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace parvelin::app
