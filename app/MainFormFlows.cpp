// The field flows of the main form: what each change of a control does to the others.

#include "app/IdentityEditor.h"
#include "app/MainForm.h"
#include "app/TitleComboBox.h"
#include "form/DialogTemplates.h"
#include "form/FormTexts.h"
#include "input/DependentFields.h"
#include "input/FieldCaps.h"
#include "input/FormRules.h"
#include "input/KeyFilter.h"
#include "input/NameEntry.h"
#include "input/TitleCompletion.h"
#include "record/IdNumber.h"
#include "widgets/CandidateList.h"
#include "widgets/GbkInput.h"
#include "widgets/ListControls.h"
#include "widgets/QtText.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QToolTip>

namespace parvelin::app {

namespace {

// The pinyin boxes turn green for names of four or more Chinese characters; an identity card
// number that cannot be right turns red.
const QColor kLongNameColour(0, 255, 0);
const QColor kShortNameColour(0, 0, 0);
const QColor kImplausibleColour(255, 0, 0);

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, QPalette::Text, colour);
    palette.setColor(QPalette::Inactive, QPalette::Text, colour);
    widget->setPalette(palette);
}

input::KeyKind keyKindOf(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return input::KeyKind::Enter;
    case Qt::Key_Backspace:
        return input::KeyKind::Backspace;
    default:
        break;
    }
    if (event->matches(QKeySequence::Paste)) {
        return input::KeyKind::Character;
    }
    const QList<uint> text = event->text().toUcs4();
    return !text.isEmpty() && QChar::isPrint(static_cast<char32_t>(text.constFirst()))
               ? input::KeyKind::Character
               : input::KeyKind::Other;
}

struct SideFields {
    record::Field chinese;
    record::Field pinyin;
};
constexpr SideFields kSides[] = {{record::Field::surnameChinese, record::Field::surnamePinyin},
                                 {record::Field::givenNameChinese, record::Field::givenNamePinyin}};

} // namespace

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKeyPress(watched, static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        return filterInputMethod(watched, static_cast<QInputMethodEvent*>(event));
    case QEvent::ToolTip:
        if (watched == m_titleList) {
            showTitleTooltip(static_cast<QHelpEvent*>(event));
            return true;
        }
        break;
    case QEvent::FocusOut: {
        // Leaving a field, not the window (a message box, another program) nor into a popup.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
            break;
        }
        if (watched == control(record::Field::idDocumentNumber)) {
            idNumberLeft();
        } else if (watched == m_titleList) {
            // After the event that moved the focus is through, so that the editor's own event
            // loop does not run inside a mouse press.
            QMetaObject::invokeMethod(
                this, [this] { identityNoteLostFocus(); }, Qt::QueuedConnection);
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool MainForm::filterKeyPress(QObject* watched, QKeyEvent* event) {
    if (qobject_cast<widgets::CandidateList*>(watched)) {
        return false; // the list's own keys
    }
    if (enterCandidateList(watched, event)) {
        return true;
    }
    const std::optional<record::Field> field = fieldOf(watched);
    const input::KeyKind kind = keyKindOf(event);
    record::GbkString text;
    if (field && kind == input::KeyKind::Character && input::characterCap(*field)) {
        text = currentText(*field);
    }
    switch (input::filterKey(kind, field, text)) {
    case input::KeyAction::MoveToNextControl:
        focusNextChild();
        return true;
    case input::KeyAction::Discard:
        return true;
    case input::KeyAction::Pass:
        break;
    }
    return false;
}

// A phrase an input method commits at once goes in as far as the box's caps allow; the rest is
// named in a note at the box, as typing it key by key would have stopped there.
bool MainForm::filterInputMethod(QObject* watched, QInputMethodEvent* event) {
    const std::optional<record::Field> field = fieldOf(watched);
    if (m_resending || event->commitString().isEmpty() || !field ||
        qobject_cast<widgets::LatinLineEdit*>(watched) != nullptr) {
        return false; // a box for Latin letters drops the whole commit itself
    }
    const input::BoxCaps caps{input::characterCap(*field), byteCapOf(*field)};
    if (!caps.characters && !caps.bytes) {
        return false;
    }
    const QList<uint> committed = event->commitString().toUcs4();
    std::vector<record::GbkString> characters;
    for (const uint code : committed) {
        const QString character = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        if (!widgets::isGbkText(character)) {
            return false; // the box's guard refuses the whole phrase and says why
        }
        characters.push_back(widgets::toGbk(character));
    }
    const std::size_t admitted =
        input::admittedCharacters(caps, widgets::toGbk(textStaying(*field)), characters);
    if (admitted == characters.size()) {
        return false;
    }
    const auto cutAt = static_cast<qsizetype>(admitted);
    const QString kept =
        QString::fromUcs4(reinterpret_cast<const char32_t*>(committed.constData()), cutAt);
    const QString left = QString::fromUcs4(
        reinterpret_cast<const char32_t*>(committed.constData()) + cutAt, committed.size() - cutAt);
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(kept, event->replacementStart(), event->replacementLength());
    {
        const QScopedValueRollback resending(m_resending, true);
        QCoreApplication::sendEvent(watched, &cut);
    }
    auto* box = static_cast<QWidget*>(watched);
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())),
                       widgets::qText(form::message::kPhraseCut) + left, box);
    return true;
}

// The text that stays when the selection is replaced, as the record holds it (CR LF).
QString MainForm::textStaying(record::Field field) const {
    if (field == record::Field::remarks) {
        const QTextCursor cursor = m_remarks->textCursor();
        QString text = m_remarks->toPlainText();
        text.remove(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
        return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    }
    const QLineEdit* edit = lineEdit(field);
    QString text = edit->text();
    if (edit->hasSelectedText()) {
        text.remove(edit->selectionStart(), edit->selectedText().size());
    }
    return text;
}

std::optional<std::size_t> MainForm::byteCapOf(record::Field field) const {
    if (field == record::Field::remarks) {
        return m_remarks->byteCap();
    }
    const widgets::GbkValidator* guard = m_guards[static_cast<std::size_t>(field)];
    return guard ? guard->byteCap() : std::nullopt;
}

void MainForm::showTitleTooltip(QHelpEvent* event) {
    readControls(Report::No);
    const QString tip = m_record.externalIdentityNote.empty()
                            ? widgets::qText(form::kTitleListHint)
                            : widgets::fromGbk(m_record.externalIdentityNote);
    QToolTip::showText(event->globalPos(), tip, m_titleList);
}

void MainForm::textEdited(record::Field field) {
    if (m_silence > 0) {
        return;
    }
    switch (field) {
    case record::Field::surnameChinese:
        nameFieldChanged(Surname);
        break;
    case record::Field::givenNameChinese:
        nameFieldChanged(GivenName);
        break;
    case record::Field::surnamePinyin:
        pinyinFieldChanged(Surname);
        break;
    case record::Field::givenNamePinyin:
        pinyinFieldChanged(GivenName);
        break;
    case record::Field::personalSequence:
        personalSequenceChanged();
        break;
    case record::Field::idDocumentNumber:
        markModified();
        refreshColours();
        break;
    default:
        markModified();
        break;
    }
}

void MainForm::listChosen(record::Field field) {
    if (m_silence > 0) {
        return;
    }
    switch (field) {
    case record::Field::idDocumentType:
        markModified();
        refreshColours();
        m_titleList->update();
        break;
    case record::Field::filingStatus:
    case record::Field::heldPassportStatus:
    case record::Field::position:
    case record::Field::ethnicity:
        dependentListChanged(field);
        break;
    case record::Field::remarkCategory:
        remarkCategoryChanged();
        break;
    case record::Field::occupationCategory:
        occupationCategoryChanged();
        break;
    case record::Field::birthPlaceScope:
        birthPlaceScopeChanged();
        break;
    case record::Field::externalIdentityNoteChoice:
        identityNoteChoiceChanged();
        break;
    default:
        markModified();
        break;
    }
}

void MainForm::nameFieldChanged(Side side) {
    const SideFields fields = kSides[side];
    QListWidget* candidates = m_candidateLists[side];
    {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        candidates->clear();
    }
    const record::GbkString previous = *record::textValue(m_record, fields.chinese);
    readControls();
    const input::NameChange change =
        input::nameFieldChanged(m_romanizer, previous, *record::textValue(m_record, fields.chinese),
                                !candidates->isHidden());
    *record::textValue(m_record, fields.chinese) = change.name;
    if (change.pinyin) {
        *record::textValue(m_record, fields.pinyin) = *change.pinyin;
    }
    writeControls();
    lineEdit(fields.chinese)->end(false);
    if (!change.candidates.empty()) {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        widgets::fillCandidates(candidates, change.candidates);
    }
    if (change.showList) {
        showCandidates(side, *change.showList);
    }
    markModified();
    refreshColours();
    m_titleList->update();
}

void MainForm::pinyinFieldChanged(Side side) {
    const record::Field pinyin = kSides[side].pinyin;
    markModified();
    readControls();
    *record::textValue(m_record, pinyin) =
        input::normalizedPinyin(*record::textValue(m_record, pinyin));
    writeControls();
    lineEdit(pinyin)->end(false);
    m_titleList->update();
}

// A click leaves the caret at the end of the name; a choice made with the keyboard moves on to
// the field after the name box, as Tab would have without the list.
void MainForm::candidateChosen(Side side, const record::GbkString& candidate, bool byKeyboard) {
    if (m_silence > 0) {
        return;
    }
    const SideFields fields = kSides[side];
    readControls();
    *record::textValue(m_record, fields.pinyin) = input::chosenCandidate(candidate);
    writeControls();
    showCandidates(side, false);
    lineEdit(fields.chinese)->setFocus(Qt::OtherFocusReason);
    lineEdit(fields.chinese)->end(false);
    if (byKeyboard) {
        focusNextChild();
    }
    markModified();
    refreshColours();
    m_titleList->update();
}

// Tab, Enter (which acts as Tab) or the down arrow in a name box whose candidate list is open
// take the keyboard into the list, instead of past it to the controls it covers.
bool MainForm::enterCandidateList(QObject* watched, const QKeyEvent* event) {
    if (!widgets::CandidateList::entersFromNameBox(*event)) {
        return false;
    }
    for (const Side side : {Surname, GivenName}) {
        if (watched == lineEdit(kSides[side].chinese) && !m_candidateLists[side]->isHidden()) {
            m_candidateLists[side]->enter();
            return true;
        }
    }
    return false;
}

void MainForm::dotButtonClicked(Side side) {
    const SideFields fields = kSides[side];
    readControls();
    input::NamePart part = input::withNameDot({*record::textValue(m_record, fields.chinese),
                                               *record::textValue(m_record, fields.pinyin)});
    *record::textValue(m_record, fields.chinese) = std::move(part.chinese);
    *record::textValue(m_record, fields.pinyin) = std::move(part.pinyin);
    writeControls();
    markModified();
    refreshColours();
}

// An open candidate list covers the pinyin box and the controls below it, which are hidden so
// that they take no clicks through the list.
void MainForm::showCandidates(Side side, bool show) {
    static constexpr record::Field kSurnameCovered[] = {
        record::Field::surnamePinyin, record::Field::idDocumentType, record::Field::birthPlaceScope,
        record::Field::birthPlace};
    static constexpr record::Field kGivenNameCovered[] = {
        record::Field::givenNamePinyin, record::Field::idDocumentNumber, record::Field::birthDate};
    QListWidget* candidates = m_candidateLists[side];
    candidates->setVisible(show);
    if (show) {
        candidates->raise();
    }
    const std::span<const record::Field> covered =
        side == Surname ? std::span<const record::Field>(kSurnameCovered) : kGivenNameCovered;
    for (const record::Field field : covered) {
        control(field)->setVisible(!show);
    }
}

void MainForm::dependentListChanged(record::Field lead) {
    struct Dependent {
        record::Field lead;
        record::Field box;
        bool (*inUse)(record::GbkStringView);
    };
    static constexpr Dependent kDependents[] = {
        {record::Field::filingStatus, record::Field::filingNumber, input::filingNumberInUse},
        {record::Field::heldPassportStatus, record::Field::heldPassportNumber,
         input::heldPassportNumberInUse},
        {record::Field::position, record::Field::positionOther, input::positionOtherInUse},
        {record::Field::ethnicity, record::Field::ethnicityOther, input::ethnicityOtherInUse},
    };
    markModified();
    readControls();
    for (const Dependent& dependent : kDependents) {
        if (dependent.lead != lead) {
            continue;
        }
        if (dependent.inUse(*record::textValue(m_record, lead))) {
            control(dependent.box)->setEnabled(true);
        } else {
            record::textValue(m_record, dependent.box)->clear();
            writeControls();
            control(dependent.box)->setEnabled(false);
        }
    }
    m_titleList->update();
}

void MainForm::personalSequenceChanged() {
    markModified();
    readControls();
    m_record.personalSequence = input::personalSequenceAfterChange(m_record.personalSequence);
    writeControls();
    m_titleList->update();
}

void MainForm::remarkCategoryChanged() {
    markModified();
    readControls();
    if (auto remarks = input::remarksForCategory(m_record.remarkCategory)) {
        m_record.remarks = std::move(*remarks);
        writeControls();
    }
}

void MainForm::occupationCategoryChanged() {
    markModified();
    readControls();
    fillPositionList();
    m_titleList->update();
}

void MainForm::birthPlaceScopeChanged() {
    markModified();
    readControls();
    fillBirthPlaceList();
    m_titleList->update();
}

void MainForm::fillBirthPlaceList() {
    const QScopedValueRollback silence(m_silence, m_silence + 1);
    const std::vector<record::GbkString> places =
        input::fillBirthPlaceList(m_record.birthPlaceScope);
    widgets::fillList(list(record::Field::birthPlace), places, record::ListOrder::Collated);
}

void MainForm::fillPositionList() {
    const QScopedValueRollback silence(m_silence, m_silence + 1);
    const std::vector<record::GbkString> positions =
        input::fillPositionList(m_record.occupationCategory);
    widgets::fillList(list(record::Field::position), positions, record::ListOrder::AsAdded);
}

void MainForm::idNumberLeft() {
    markModified();
    readControls();
    const record::MemberRecord before = m_record;
    input::fillFromIdNumber(m_record);
    if (m_record != before) {
        writeControls();
    }
    m_titleList->update();
}

void MainForm::identityNoteChoiceChanged() {
    markModified();
    readControls();
    m_record.externalIdentityNote = m_record.externalIdentityNoteChoice;
    writeControls();
}

void MainForm::identityNoteLostFocus() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != this) {
        return; // a message is up; the editor waits until the list is left again
    }
    readControls();
    if (!input::needsIdentityEditor(m_record.externalIdentityNote)) {
        m_titleList->update();
        return;
    }
    IdentityEditor editor(m_romanizer, m_services, this);
    if (editor.exec() != QDialog::Accepted) {
        return; // the note keeps its "***"; Save will say so
    }
    if (auto note = input::completeTitle(m_record.externalIdentityNoteChoice, editor.names())) {
        m_record.externalIdentityNote = std::move(*note);
        markModified();
    }
    writeControls();
}

void MainForm::refreshColours() {
    const auto text = [this](record::Field field) {
        return widgets::toGbk(lineEdit(field)->text());
    };
    const QColor pinyin = input::isLongName(text(record::Field::surnameChinese),
                                            text(record::Field::givenNameChinese))
                              ? kLongNameColour
                              : kShortNameColour;
    setTextColour(control(record::Field::surnamePinyin), pinyin);
    setTextColour(control(record::Field::givenNamePinyin), pinyin);
    const bool plausible =
        record::idNumberLooksValid(widgets::selectedEntry(list(record::Field::idDocumentType)),
                                   text(record::Field::idDocumentNumber));
    setTextColour(control(record::Field::idDocumentNumber),
                  plausible ? palette().color(QPalette::Active, QPalette::Text)
                            : kImplausibleColour);
}

} // namespace parvelin::app
