#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/ApplicantsWindow.h"
#include "app/Artwork.h"
#include "app/Banner.h"
#include "app/TitleComboBox.h"
#include "disk/PathNames.h"
#include "form/DialogTemplates.h"
#include "form/FormTexts.h"
#include "form/SaveLocation.h"
#include "input/FieldCaps.h"
#include "input/FormRules.h"
#include "record/ReferenceLists.h"
#include "widgets/Accessibility.h"
#include "widgets/CandidateList.h"
#include "widgets/CommandKeys.h"
#include "widgets/DialogControls.h"
#include "widgets/GbkInput.h"
#include "widgets/ListControls.h"
#include "widgets/ListTyping.h"
#include "widgets/NamePair.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <map>

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace parvelin::app {

MainForm::MainForm(const input::PinyinTable& pinyinTable, widgets::PlatformServices& services,
                   QWidget* parent)
    : QDialog(parent)
    , m_romanizer(pinyinTable)
    , m_services(services)
    , m_saveFolders(services) {
    buildControls();
    widgets::listsChooseByTyping(this, pinyinTable);
    connectCommands();
    connectFields();
    initialise();
}

MainForm::~MainForm() = default;

void MainForm::buildControls() {
    const form::DialogBaseUnits units = setUpWindow();
    const std::map<int, QWidget*> byId = createControls(units);
    widgets::nameControls(this, form::mainFormLayout(), form::mainFormNames());
    guardTextInputs();
    // A control registered twice keeps its first tip.
    for (const form::FixedTooltip& tooltip : form::mainFormTooltips()) {
        QWidget* widget = byId.at(tooltip.controlId);
        if (widget->toolTip().isEmpty()) {
            widget->setToolTip(widgets::qText(tooltip.text));
        }
    }
}

// The window itself: frame buttons, the dialog font and the size that the template gives in
// dialog units of that font. Its icon is the application's, as every window's.
form::DialogBaseUnits MainForm::setUpWindow() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(widgets::dialogFont());
    // An opened applicant is read with every field greyed: its text keeps a contrast of at least
    // 4.5:1 (5.8:1 on the greyed boxes' #EFEFEF).
    const QColor readOnlyText(0x5C, 0x5C, 0x5C);
    QPalette colours = palette();
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
        colours.setColor(QPalette::Disabled, role, readOnlyText);
    }
    setPalette(colours);
    const form::DialogBaseUnits units = widgets::baseUnitsOf(font());
    setFixedSize(widgets::pixelRect(form::kMainFormRect, units).size());
    return units;
}

// Every control of the template in template order (which is the tab order), placed and
// registered under its field; gives the controls by their numbers.
std::map<int, QWidget*> MainForm::createControls(const form::DialogBaseUnits& units) {
    std::map<int, QWidget*> byId;
    QWidget* frame = nullptr;
    for (const form::DialogControl& item : form::mainFormLayout()) {
        if (item.field == record::Field::externalIdentityNote) {
            continue; // the title list shows the note in place of its own text
        }
        QWidget* widget = createControl(item);
        widgets::placeControl(widget, item, units);
        if (item.id != 0) {
            byId[item.id] = widget;
        }
        if (item.field && *item.field != record::Field::externalIdentityNoteChoice) {
            m_binding.bind(*item.field, widget);
        }
        switch (item.kind) {
        case form::ControlKind::GroupBox:
            frame = widget;
            break;
        case form::ControlKind::Label:
            break;
        case form::ControlKind::Bitmap:
            showArtwork(item, widget);
            break;
        default:
            widget->installEventFilter(this);
            break;
        }
    }
    // The banner and the frame lie under the fields, the frame lowest: its top edge, which the
    // layout puts inside the banner, stays hidden under it.
    m_banner->lower();
    frame->lower();

    createNamePairs();
    createAdditions(units);
    return byId;
}

QWidget* MainForm::createControl(const form::DialogControl& item) {
    if (item.name == "banner") {
        m_banner = new Banner(this);
        m_banner->setObjectName(widgets::qText(item.name));
        return m_banner;
    }
    if (item.field != record::Field::externalIdentityNoteChoice) {
        return widgets::createControl(item, this);
    }
    m_titleList = new TitleComboBox(this);
    m_titleList->setObjectName(widgets::qText(item.name));
    m_binding.bindTitleList(m_titleList);
    return m_titleList;
}

void MainForm::showArtwork(const form::DialogControl& item, QWidget* widget) {
    if (item.name == "banner") {
        // Across the whole width of the form, whatever the font makes of it.
        m_banner->fitWidth(width());
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setPixmap(artwork::warningSign(label->devicePixelRatioF()));
        label->setAlignment(Qt::AlignCenter);
    }
}

// Every text input holds GBK within its field's byte cap; a refused character is explained
// once the keystroke or paste has been handled.
void MainForm::guardTextInputs() {
    widgets::GbkPlainTextEdit* remarks = m_binding.remarks();
    remarks->setByteCap(input::byteCap(record::Field::remarks));
    remarks->setLineCap(input::lineCap(record::Field::remarks));
    connect(remarks, &widgets::GbkPlainTextEdit::lineCapReached, this,
            [this, remarks] { noteAt(remarks, widgets::qText(form::message::kRemarksLineCap)); });
    const auto explainRefusal = [this] { notice(form::message::kCharacterNotStorable); };
    for (std::size_t i = 0; i < FormBinding::kFieldCount; ++i) {
        const auto field = static_cast<record::Field>(i);
        if (auto* edit = lineEdit(field)) {
            const form::DialogControl* item = form::findFieldControl(form::mainFormLayout(), field);
            auto* guard = new widgets::GbkValidator(edit, input::byteCap(field),
                                                    item->has(form::control::kDigitsOnly));
            m_binding.guard(field, guard);
            connect(guard, &widgets::GbkValidator::characterRefused, this, explainRefusal,
                    Qt::QueuedConnection);
        }
    }
    connect(remarks, &widgets::GbkPlainTextEdit::characterRefused, this, explainRefusal,
            Qt::QueuedConnection);
}

// The surname and given-name pairs. An open candidate list covers the pinyin box and the controls
// below it.
void MainForm::createNamePairs() {
    using record::Field;
    const widgets::NamePair::Hooks hooks{[this] { readControls(); }, [this] { writeControls(); },
                                         [this] { focusNextField(focusWidget()); },
                                         [this] { nameEdited(); }};
    const auto pair = [&](input::NameSide side, const char* prefix, Field chinese, Field pinyin,
                          std::initializer_list<Field> alsoCovered) {
        widgets::NamePair::Controls controls{
            lineEdit(chinese),
            lineEdit(pinyin),
            findChild<widgets::CandidateList*>(QLatin1String(prefix) + "PinyinList"),
            findChild<QPushButton*>(QLatin1String(prefix) + "DotButton"),
            {lineEdit(pinyin)}};
        for (const Field field : alsoCovered) {
            controls.covered.push_back(control(field));
        }
        return new widgets::NamePair(
            m_romanizer, side, std::move(controls),
            {record::textValue(m_record, chinese), record::textValue(m_record, pinyin)}, hooks,
            this);
    };
    m_names = {pair(input::NameSide::Surname, "surname", Field::surnameChinese,
                    Field::surnamePinyin,
                    {Field::idDocumentType, Field::birthPlaceScope, Field::birthPlace}),
               pair(input::NameSide::GivenName, "givenName", Field::givenNameChinese,
                    Field::givenNamePinyin, {Field::idDocumentNumber, Field::birthDate})};
}

// Below the command buttons: the applicants window's button and the check box that keeps the
// group's values for the next applicant, as the clerk left it last time.
void MainForm::createAdditions(const form::DialogBaseUnits& units) {
    // In the tab order right after the last command button, as they stand on the screen.
    QWidget* before = findChild<QPushButton*>(QStringLiteral("exitButton"));
    for (const form::DialogControl& item : form::mainFormAdditions()) {
        QWidget* widget = widgets::createControl(item, this);
        widgets::placeControl(widget, item, units);
        setTabOrder(before, widget);
        before = widget;
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            m_keepGroup = box;
        }
    }
    m_keepGroup->setChecked(
        m_services.settings()->value(widgets::qText(form::kKeepGroupKey), false).toBool());
    m_statusNote = new QLabel(this);
    m_statusNote->setObjectName(QStringLiteral("statusNote"));
    m_statusNote->setWordWrap(true);
    m_statusNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_statusNote->setAccessibleName(QStringLiteral("状态"));
    m_statusNote->setGeometry(widgets::pixelRect(form::kStatusNoteRect, units));
    connect(m_keepGroup, &QCheckBox::toggled, this, [this](bool keep) {
        m_services.settings()->setValue(widgets::qText(form::kKeepGroupKey), keep);
    });
}

void MainForm::showStatusNote(const QString& text) {
    m_statusNote->setText(text);
    m_statusNote->setToolTip(text);
    if (m_applicants) {
        m_applicants->showStatusNote(text); // a print of several may come from there
    }
}

void MainForm::connectCommands() {
    const auto button = [this](const char* name) {
        return findChild<QPushButton*>(QLatin1String(name));
    };
    connect(button("newButton"), &QPushButton::clicked, this, &MainForm::onNew);
    connect(button("openButton"), &QPushButton::clicked, this, &MainForm::onOpen);
    connect(button("editButton"), &QPushButton::clicked, this, &MainForm::onEdit);
    connect(button("saveButton"), &QPushButton::clicked, this, &MainForm::onSave);
    connect(button("aboutButton"), &QPushButton::clicked, this, &MainForm::onAbout);
    connect(button("exitButton"), &QPushButton::clicked, this, &MainForm::onExit);
    connect(button("printPreviewButton"), &QPushButton::clicked, this, &MainForm::onPrintPreview);
    connect(button("printButton"), &QPushButton::clicked, this, &MainForm::onPrint);
    connect(button("applicantsButton"), &QPushButton::clicked, this, &MainForm::onApplicants);
    widgets::giveCommandKeys(this, form::mainFormCommandKeys());
    // After the fixed tooltips, which the keys' names follow.
    widgets::giveFieldKeys(this, form::mainFormFieldKeys());
}

void MainForm::connectFields() {
    for (std::size_t i = 0; i < FormBinding::kFieldCount; ++i) {
        const auto field = static_cast<record::Field>(i);
        QWidget* widget = control(field);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            connect(edit, &QLineEdit::textChanged, this, [this, field] { textEdited(field); });
        } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
            connect(box, &QComboBox::activated, this, [this, field] { listChosen(field); });
        } else if (auto* picker = qobject_cast<QDateEdit*>(widget)) {
            connect(picker, &QDateEdit::dateChanged, this, [this, picker] {
                if (m_silence == 0) {
                    m_failedField.changed(picker);
                    applyEdit(Reading::None);
                }
            });
        }
    }
    connect(m_binding.remarks(), &widgets::GbkPlainTextEdit::textEdited, this,
            [this] { textEdited(record::Field::remarks); });
}

void MainForm::initialise() {
    fillListsAsAtStartUp();
    m_record = record::freshRecord(m_services.clock());
    proposePersonalSequence();
    writeControls();
    applyState(input::FormState::Fresh);
    setModified(false);
    control(record::Field::approvalNumber)->setFocus(Qt::OtherFocusReason);
}

bool MainForm::readControls(Report report) {
    m_binding.read(m_record);
    if (!input::exceedsPositionOtherCap(m_record.positionOther)) {
        return true;
    }
    if (report == Report::Yes) {
        notice(form::message::kTooManyCharacters);
        QLineEdit* positionOther = lineEdit(record::Field::positionOther);
        positionOther->setFocus(Qt::OtherFocusReason);
        positionOther->selectAll();
    }
    return false;
}

void MainForm::writeControls() {
    const QScopedValueRollback silence(m_silence, m_silence + 1);
    m_binding.write(m_record);
    m_binding.guardOf(record::Field::positionOther)->setByteCap(input::kPositionOtherByteCap);
    refreshColours();
    m_titleList->update();
}

void MainForm::notice(std::string_view text) {
    m_services.showNotice(this, widgets::qText(text));
}

void MainForm::hideCandidateLists() {
    for (widgets::NamePair* pair : m_names) {
        pair->hideCandidates();
    }
}

// Every list with the entries it has when the program starts and nothing selected: no entry that
// an opened file brought stays behind, and the same keys choose the same entries as after start-up.
void MainForm::fillListsAsAtStartUp() {
    const QScopedValueRollback silence(m_silence, m_silence + 1);
    for (const record::ReferenceList& reference : record::formLists()) {
        widgets::fillList(list(reference.field), reference);
    }
    widgets::fillList(list(record::Field::position), record::defaultPositionList());
    widgets::fillList(m_titleList, record::externalIdentityTitleList());
}

void MainForm::resetForNew() {
    // A choice that was pending belongs to the applicant being put away.
    hideCandidateLists();
    fillListsAsAtStartUp();
    m_record = record::freshRecord(m_services.clock());
    m_opened.reset();
    m_keptGroup.reset();
    proposePersonalSequence();
    writeControls();
    applyState(input::FormState::Fresh);
    m_failedField.clear();
    setModified(false);
}

void MainForm::resetForNextOfGroup(const record::MemberRecord& saved,
                                   std::vector<applicants::FolderApplicant> group) {
    resetForNew();
    m_record = input::withGroupOf(std::move(m_record), saved);
    const std::optional<std::string> sequence =
        applicants::nextPersonalSequence(group, saved.groupNumber);
    m_record.personalSequence = sequence.value_or(std::string());
    // A provisional group number stays the group's for as long as its approval number does.
    m_keptGroup = datafile::StoredGroupNumber::of(saved);
    writeControls();
    // The kept values may ask for a dependent box (其他 with its filing number).
    applyState(input::FormState::Fresh);
    if (!sequence) {
        notice(form::message::kNoNextSequence);
    }
}

std::optional<datafile::StoredGroupNumber> MainForm::storedGroup() const {
    return m_opened ? m_opened->storedGroup() : m_keptGroup;
}

void MainForm::setModified(bool modified) {
    m_modified = modified;
    updateTitle();
}

void MainForm::updateTitle() {
    const QString applicant = !m_opened ? widgets::qText(form::kNewApplicant)
                                        : widgets::fromGbk(m_opened->values().surnameChinese +
                                                           m_opened->values().givenNameChinese) +
                                              QStringLiteral(" (") +
                                              QString::fromStdString(disk::displayFileName(
                                                  disk::fileNameOf(m_opened->path()))) +
                                              QLatin1Char(')');
    setWindowTitle(widgets::qText(form::kChineseName) + QStringLiteral(" — ") + applicant +
                   (m_modified ? QStringLiteral(" *") : QString()));
}

// The drawn number is shown as if typed: one drawn as 0 leaves the field empty, so that the
// checks ask for a number rather than store 0.
void MainForm::proposePersonalSequence() {
    m_record.personalSequence = input::personalSequenceAfterChange(m_record.personalSequence);
}

void MainForm::applyState(input::FormState state) {
    m_state = state;
    for (std::size_t i = 0; i < FormBinding::kFieldCount; ++i) {
        const auto field = static_cast<record::Field>(i);
        if (QWidget* widget = control(field)) {
            widget->setEnabled(input::isEnabled(field, state, m_record));
        }
    }
    for (widgets::NamePair* pair : m_names) {
        pair->dotButton()->setEnabled(input::dotButtonsEnabled(state));
    }
    // A form that takes entries has the caret in a field. After a click on 新建, 保存 or 编辑, or
    // after Open pushed the focus off the greyed fields, it would be on a button, and the Space
    // that commits the next word typed would press that button.
    if (state != input::FormState::Opened &&
        qobject_cast<QAbstractButton*>(focusWidget()) != nullptr) {
        control(record::Field::approvalNumber)->setFocus(Qt::OtherFocusReason);
    }
}

bool MainForm::changesMayGo(widgets::PlatformServices::Buttons buttons) {
    if (!m_modified) {
        return true;
    }
    switch (m_services.ask(this, widgets::qText(form::message::kSaveChanges), buttons)) {
    case widgets::PlatformServices::Answer::Yes:
        return onSave(); // a failed or cancelled save keeps the entries
    case widgets::PlatformServices::Answer::No:
        return true;
    case widgets::PlatformServices::Answer::Cancel:
        break; // Esc or the box's close button: the command is cancelled
    }
    return false;
}

void MainForm::onNew() {
    if (changesMayGo(widgets::PlatformServices::Buttons::YesNo)) {
        resetForNew();
    }
}

void MainForm::onEdit() {
    readControls();
    applyState(input::FormState::Editing);
}

void MainForm::onAbout() {
    AboutBox about(this);
    about.exec();
}

void MainForm::onExit() {
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void MainForm::closeEvent(QCloseEvent* event) {
    // Closing offers Cancel as a button of its own.
    if (!changesMayGo(widgets::PlatformServices::Buttons::YesNoCancel)) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainForm::reject() {
    close();
}

} // namespace parvelin::app
