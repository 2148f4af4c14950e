// The field flows of the main form: what each change of a control does to the others.

#include "app/FieldCaps.h"
#include "app/FormLayout.h"
#include "app/ui/ListControls.h"
#include "app/ui/MainForm.h"
#include "app/ui/QtText.h"
#include "input/DependentFields.h"
#include "input/FormRules.h"
#include "input/IdNumber.h"
#include "input/KeyFilter.h"
#include "input/NameEntry.h"
#include "input/TitleCompletion.h"
#include "input/ui/GbkInput.h"
#include "input/ui/IdentityEditor.h"
#include "input/ui/TitleComboBox.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScopedValueRollback>
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
    Field chinese;
    Field pinyin;
};
constexpr SideFields kSides[] = {{Field::surnameChinese, Field::surnamePinyin},
                                 {Field::givenNameChinese, Field::givenNamePinyin}};

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
        if (watched == control(Field::idDocumentNumber)) {
            deriveBirthDate();
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
    const std::optional<Field> field = fieldOf(watched);
    const input::KeyKind kind = keyKindOf(event);
    GbkString text;
    if (field && kind == input::KeyKind::Character && characterCap(*field)) {
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

bool MainForm::filterInputMethod(QObject* watched, QInputMethodEvent* event) {
    const std::optional<Field> field = fieldOf(watched);
    if (m_resending || event->commitString().isEmpty() || !field || !characterCap(*field)) {
        return false;
    }
    const QList<uint> committed = event->commitString().toUcs4();
    const std::size_t admitted = input::admittedCharacters(
        field, currentText(*field), static_cast<std::size_t>(committed.size()));
    if (admitted == static_cast<std::size_t>(committed.size())) {
        return false;
    }
    // The characters beyond the cap are dropped as typed characters would be.
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(QString::fromUcs4(reinterpret_cast<const char32_t*>(committed.constData()),
                                          static_cast<qsizetype>(admitted)),
                        event->replacementStart(), event->replacementLength());
    const QScopedValueRollback resending(m_resending, true);
    QCoreApplication::sendEvent(watched, &cut);
    return true;
}

void MainForm::showTitleTooltip(QHelpEvent* event) {
    readControls(Report::No);
    const QString tip = m_record.externalIdentityNote.empty()
                            ? qText(kTitleListHint)
                            : fromGbk(m_record.externalIdentityNote);
    QToolTip::showText(event->globalPos(), tip, m_titleList);
}

void MainForm::textEdited(Field field) {
    if (m_silence > 0) {
        return;
    }
    switch (field) {
    case Field::surnameChinese:
        nameFieldChanged(Surname);
        break;
    case Field::givenNameChinese:
        nameFieldChanged(GivenName);
        break;
    case Field::surnamePinyin:
        pinyinFieldChanged(Surname);
        break;
    case Field::givenNamePinyin:
        pinyinFieldChanged(GivenName);
        break;
    case Field::personalSequence:
        personalSequenceChanged();
        break;
    case Field::idDocumentNumber:
        markModified();
        refreshColours();
        break;
    default:
        markModified();
        break;
    }
}

void MainForm::listChosen(Field field) {
    if (m_silence > 0) {
        return;
    }
    switch (field) {
    case Field::idDocumentType:
        markModified();
        refreshColours();
        m_titleList->update();
        break;
    case Field::filingStatus:
    case Field::heldPassportStatus:
    case Field::position:
    case Field::ethnicity:
        dependentListChanged(field);
        break;
    case Field::remarkCategory:
        remarkCategoryChanged();
        break;
    case Field::occupationCategory:
        occupationCategoryChanged();
        break;
    case Field::birthPlaceScope:
        birthPlaceScopeChanged();
        break;
    case Field::externalIdentityNoteChoice:
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
    const GbkString previous = *textValue(m_record, fields.chinese);
    readControls();
    const input::NameChange change = input::nameFieldChanged(
        m_romanizer, previous, *textValue(m_record, fields.chinese), !candidates->isHidden());
    *textValue(m_record, fields.chinese) = change.name;
    if (change.pinyin) {
        *textValue(m_record, fields.pinyin) = *change.pinyin;
    }
    writeControls();
    lineEdit(fields.chinese)->end(false);
    if (!change.candidates.empty()) {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        fillCandidates(candidates, change.candidates);
    }
    if (change.showList) {
        showCandidates(side, *change.showList);
    }
    markModified();
    refreshColours();
    m_titleList->update();
}

void MainForm::pinyinFieldChanged(Side side) {
    const Field pinyin = kSides[side].pinyin;
    markModified();
    readControls();
    *textValue(m_record, pinyin) = input::normalizedPinyin(*textValue(m_record, pinyin));
    writeControls();
    lineEdit(pinyin)->end(false);
    m_titleList->update();
}

void MainForm::candidateChosen(Side side) {
    const QList<QListWidgetItem*> selected = m_candidateLists[side]->selectedItems();
    if (m_silence > 0 || selected.isEmpty()) {
        return;
    }
    const SideFields fields = kSides[side];
    readControls();
    *textValue(m_record, fields.pinyin) =
        input::chosenCandidate(candidateOf(selected.constFirst()));
    writeControls();
    showCandidates(side, false);
    lineEdit(fields.chinese)->setFocus(Qt::OtherFocusReason);
    lineEdit(fields.chinese)->end(false);
    markModified();
    refreshColours();
    m_titleList->update();
}

void MainForm::dotButtonClicked(Side side) {
    const SideFields fields = kSides[side];
    readControls();
    input::NamePart part = input::withNameDot(
        {*textValue(m_record, fields.chinese), *textValue(m_record, fields.pinyin)});
    *textValue(m_record, fields.chinese) = std::move(part.chinese);
    *textValue(m_record, fields.pinyin) = std::move(part.pinyin);
    writeControls();
    markModified();
    refreshColours();
}

// An open candidate list covers the pinyin box and the controls below it, which are hidden so
// that they take no clicks through the list.
void MainForm::showCandidates(Side side, bool show) {
    static constexpr Field kSurnameCovered[] = {Field::surnamePinyin, Field::idDocumentType,
                                                Field::birthPlaceScope, Field::birthPlace};
    static constexpr Field kGivenNameCovered[] = {Field::givenNamePinyin, Field::idDocumentNumber,
                                                  Field::birthDate};
    QListWidget* candidates = m_candidateLists[side];
    candidates->setVisible(show);
    if (show) {
        candidates->raise();
    }
    const std::span<const Field> covered =
        side == Surname ? std::span<const Field>(kSurnameCovered) : kGivenNameCovered;
    for (const Field field : covered) {
        control(field)->setVisible(!show);
    }
}

void MainForm::dependentListChanged(Field lead) {
    struct Dependent {
        Field lead;
        Field box;
        bool (*inUse)(GbkStringView);
    };
    static constexpr Dependent kDependents[] = {
        {Field::filingStatus, Field::filingNumber, input::filingNumberInUse},
        {Field::heldPassportStatus, Field::heldPassportNumber, input::heldPassportNumberInUse},
        {Field::position, Field::positionOther, input::positionOtherInUse},
        {Field::ethnicity, Field::ethnicityOther, input::ethnicityOtherInUse},
    };
    markModified();
    readControls();
    for (const Dependent& dependent : kDependents) {
        if (dependent.lead != lead) {
            continue;
        }
        if (dependent.inUse(*textValue(m_record, lead))) {
            control(dependent.box)->setEnabled(true);
        } else {
            textValue(m_record, dependent.box)->clear();
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
    const std::vector<GbkString> places = input::fillBirthPlaceList(m_record.birthPlaceScope);
    fillList(list(Field::birthPlace), places, true);
}

void MainForm::fillPositionList() {
    const QScopedValueRollback silence(m_silence, m_silence + 1);
    const std::vector<GbkString> positions = input::fillPositionList(m_record.occupationCategory);
    fillList(list(Field::position), positions, false);
}

void MainForm::deriveBirthDate() {
    markModified();
    readControls();
    if (const auto date =
            input::birthDateFromIdNumber(m_record.idDocumentType, m_record.idDocumentNumber)) {
        m_record.birthDate = *date;
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
    input::IdentityEditor editor(m_romanizer, m_services, this);
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
    const auto text = [this](Field field) { return toGbk(lineEdit(field)->text()); };
    const QColor pinyin =
        input::isLongName(text(Field::surnameChinese), text(Field::givenNameChinese))
            ? kLongNameColour
            : kShortNameColour;
    setTextColour(control(Field::surnamePinyin), pinyin);
    setTextColour(control(Field::givenNamePinyin), pinyin);
    const bool plausible = input::idNumberLooksValid(selectedEntry(list(Field::idDocumentType)),
                                                     text(Field::idDocumentNumber));
    setTextColour(control(Field::idDocumentNumber),
                  plausible ? palette().color(QPalette::Active, QPalette::Text)
                            : kImplausibleColour);
}

} // namespace parvelin::app
