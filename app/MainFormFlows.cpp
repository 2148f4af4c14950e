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
#include "widgets/CommandKeys.h"
#include "widgets/DialogControls.h"
#include "widgets/GbkInput.h"
#include "widgets/ListControls.h"
#include "widgets/NamePair.h"
#include "widgets/QtText.h"

#include <algorithm>
#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QToolTip>

namespace parvelin::app {

namespace {

// The pinyin boxes turn green for names of four or more Chinese characters (a green that keeps a
// contrast of 5:1 on white); an identity card number that cannot be right turns red.
const QColor kLongNameColour(0, 128, 0);
const QColor kShortNameColour(0, 0, 0);
const QColor kImplausibleColour(255, 0, 0);

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, QPalette::Text, colour);
    palette.setColor(QPalette::Inactive, QPalette::Text, colour);
    widget->setPalette(palette);
}

bool isPrintableAscii(const QString& text) {
    return std::ranges::all_of(
        text, [](QChar c) { return c >= QLatin1Char(' ') && c <= QLatin1Char('~'); });
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

} // namespace

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The commands' and the controls' keys are theirs, also in a box that would take them.
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (widgets::isCommandKey(form::mainFormCommandKeys(), key) ||
            widgets::isFieldKey(form::mainFormFieldKeys(), key)) {
            return true;
        }
        break;
    }
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
    for (widgets::NamePair* pair : m_names) {
        if (pair->takesKey(watched, *event)) {
            return true;
        }
    }
    const std::optional<record::Field> field = m_binding.fieldOf(watched);
    const input::KeyKind kind = keyKindOf(event);
    record::GbkString text;
    if (field && kind == input::KeyKind::Character && input::characterCap(*field)) {
        text = m_binding.currentText(*field);
    }
    switch (input::filterKey(kind, field, text)) {
    case input::KeyAction::MoveToNextField:
        focusNextField(static_cast<QWidget*>(watched));
        return true;
    case input::KeyAction::BreakLine:
        // One kind of break for Enter and Shift+Enter alike, as the record holds it (CR LF).
        static_cast<QPlainTextEdit*>(watched)->insertPlainText(QStringLiteral("\n"));
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
    const std::optional<record::Field> field = m_binding.fieldOf(watched);
    if (m_resending || event->commitString().isEmpty() || !field) {
        return false;
    }
    if (auto* latin = qobject_cast<widgets::LatinLineEdit*>(watched)) {
        // Latin text that an input method left on hands over goes in as if typed; anything else
        // the box drops itself.
        if (!event->preeditString().isEmpty() || !isPrintableAscii(event->commitString())) {
            return false;
        }
        latin->insert(event->commitString());
        return true;
    }
    const input::BoxCaps caps{input::characterCap(*field), m_binding.byteCapOf(*field)};
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
        input::admittedCharacters(caps, widgets::toGbk(m_binding.textStaying(*field)), characters);
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
    noteAt(static_cast<QWidget*>(watched), widgets::qText(form::message::kPhraseCut) + left);
    return true;
}

void MainForm::focusNextField(QWidget* from) {
    widgets::focusNextStop(
        from, [this](const QWidget* widget) { return m_binding.fieldOf(widget).has_value(); });
}

// A short note under a box, where the clerk is looking, about what the box did not take.
void MainForm::noteAt(QWidget* box, const QString& text) {
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), text, box);
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
    m_failedField.changed(control(field));
    switch (field) {
    case record::Field::surnameChinese:
        m_names[Surname]->nameEdited();
        break;
    case record::Field::givenNameChinese:
        m_names[GivenName]->nameEdited();
        break;
    case record::Field::surnamePinyin:
    case record::Field::givenNamePinyin:
        applyEdit(Reading::FromControls, [field](record::MemberRecord& r) {
            record::GbkString& pinyin = *record::textValue(r, field);
            pinyin = input::normalizedPinyin(pinyin);
        });
        lineEdit(field)->end(false);
        break;
    case record::Field::personalSequence:
        applyEdit(Reading::FromControls, [](record::MemberRecord& r) {
            r.personalSequence = input::personalSequenceAfterChange(r.personalSequence);
        });
        break;
    case record::Field::idDocumentNumber:
        capitaliseCheckCharacter();
        applyEdit(Reading::None);
        break;
    default:
        applyEdit(Reading::None);
        break;
    }
}

void MainForm::listChosen(record::Field field) {
    if (m_silence > 0) {
        return;
    }
    m_failedField.changed(control(field));
    switch (field) {
    case record::Field::idDocumentType:
        capitaliseCheckCharacter();
        applyEdit(Reading::None);
        break;
    case record::Field::filingStatus:
    case record::Field::heldPassportStatus:
    case record::Field::position:
    case record::Field::ethnicity:
        dependentListChanged(field);
        break;
    case record::Field::remarkCategory:
        applyEdit(Reading::FromControls, [](record::MemberRecord& r) {
            if (auto remarks = input::remarksForCategory(r.remarkCategory)) {
                r.remarks = std::move(*remarks);
            }
        });
        break;
    case record::Field::occupationCategory:
        applyEdit(Reading::FromControls);
        fillPositionList();
        break;
    case record::Field::birthPlaceScope:
        applyEdit(Reading::FromControls);
        fillBirthPlaceList();
        break;
    case record::Field::externalIdentityNoteChoice:
        applyEdit(Reading::FromControls, [](record::MemberRecord& r) {
            r.externalIdentityNote = r.externalIdentityNoteChoice;
        });
        break;
    default:
        applyEdit(Reading::None);
        break;
    }
}

void MainForm::applyEdit(Reading reading, const std::function<void(record::MemberRecord&)>& rule) {
    setModified(true);
    if (reading == Reading::FromControls) {
        readControls();
    }
    if (rule) {
        const record::MemberRecord before = m_record;
        rule(m_record);
        if (m_record != before) {
            writeControls(); // which brings the colours and the title list along
            return;
        }
    }
    refreshColours();
    m_titleList->update();
}

// After a name pair changed its values: it has read and written the controls itself.
void MainForm::nameEdited() {
    applyEdit(Reading::None);
}

// A lead list leaves its box in use or not; a box not in use is emptied and greyed.
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
    const auto dependent = std::ranges::find(kDependents, lead, &Dependent::lead);
    applyEdit(Reading::FromControls, [&](record::MemberRecord& r) {
        if (!dependent->inUse(*record::textValue(r, lead))) {
            record::textValue(r, dependent->box)->clear();
        }
    });
    control(dependent->box)->setEnabled(dependent->inUse(*record::textValue(m_record, lead)));
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

// An identity card number's check character x shows as X at once, however it came (typed,
// pasted, from an input method): the number is stored and compared as the card prints it. The
// caret stays where the edit left it.
void MainForm::capitaliseCheckCharacter() {
    using record::Field;
    const record::GbkString number = m_binding.currentText(Field::idDocumentNumber);
    const record::GbkString stored =
        record::idNumberAsStored(widgets::selectedEntry(list(Field::idDocumentType)), number);
    if (stored == number) {
        return;
    }
    QLineEdit* box = lineEdit(Field::idDocumentNumber);
    const int caret = box->cursorPosition();
    {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        m_binding.guardOf(Field::idDocumentNumber)->setLoadedText(widgets::fromGbk(stored));
    }
    box->setCursorPosition(caret);
}

void MainForm::idNumberLeft() {
    applyEdit(Reading::FromControls, [](record::MemberRecord& r) { input::fillFromIdNumber(r); });
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
    // The controls were read before the editor opened, and a modal editor leaves them alone.
    if (auto note = input::completeTitle(m_record.externalIdentityNoteChoice, editor.names())) {
        applyEdit(Reading::None,
                  [&note](record::MemberRecord& r) { r.externalIdentityNote = std::move(*note); });
    }
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
