#include "app/ui/MainForm.h"

#include "app/FieldCaps.h"
#include "app/FormLayout.h"
#include "app/FormTexts.h"
#include "app/ReferenceLists.h"
#include "app/ui/AboutBox.h"
#include "app/ui/Artwork.h"
#include "app/ui/DialogControls.h"
#include "app/ui/ListControls.h"
#include "app/ui/PlatformServices.h"
#include "app/ui/QtText.h"
#include "input/ui/GbkInput.h"
#include "input/ui/TitleComboBox.h"

#include <map>

#include <QCloseEvent>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>

namespace parvelin::app {

namespace {

QDate toQDate(const CalendarDate& date) {
    return QDate(static_cast<int>(date.year()),
                 static_cast<int>(static_cast<unsigned>(date.month())),
                 static_cast<int>(static_cast<unsigned>(date.day())));
}

CalendarDate toCalendarDate(const QDate& date) {
    return CalendarDate{std::chrono::year{date.year()},
                        std::chrono::month{static_cast<unsigned>(date.month())},
                        std::chrono::day{static_cast<unsigned>(date.day())}};
}

// The record keeps line breaks as CR LF; the multi-line box shows them as line feeds.
QString withLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString withCarriageReturns(QString text) {
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

CalendarDate* dateValue(MemberRecord& record, Field field) {
    if (field == Field::birthDate) {
        return &record.birthDate;
    }
    return field == Field::fillDate ? &record.fillDate : nullptr;
}

} // namespace

MainForm::MainForm(const input::PinyinTable& pinyinTable, PlatformServices& services,
                   QWidget* parent)
    : QDialog(parent)
    , m_romanizer(pinyinTable)
    , m_services(services) {
    initArtwork();
    buildControls();
    connectCommands();
    connectFields();
    initialise();
}

MainForm::~MainForm() = default;

void MainForm::buildControls() {
    setWindowTitle(qText(kProductTitle));
    setWindowIcon(QIcon(artwork::kIcon));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(dialogFont());
    const DialogBaseUnits units = baseUnitsOf(font());
    setFixedSize(pixelRect(kMainFormRect, units).size());

    std::map<int, QWidget*> byId;
    QWidget* frame = nullptr;
    for (const DialogControl& item : mainFormLayout()) {
        if (item.field == Field::externalIdentityNote) {
            continue; // the title list shows the note in place of its own text
        }
        QWidget* widget = nullptr;
        if (item.field == Field::externalIdentityNoteChoice) {
            m_titleList = new input::TitleComboBox(this);
            m_titleList->setObjectName(qText(item.name));
            widget = m_titleList;
        } else {
            widget = createControl(item, this);
        }
        placeControl(widget, item, units);
        if (item.id != 0) {
            byId[item.id] = widget;
        }
        if (item.field) {
            m_controls[static_cast<std::size_t>(*item.field)] = widget;
        }
        switch (item.kind) {
        case ControlKind::GroupBox:
            frame = widget;
            break;
        case ControlKind::Label:
            break;
        case ControlKind::Bitmap:
            if (item.name == "banner") {
                m_banner = static_cast<QLabel*>(widget);
                // Across the whole width of the form, whatever the font makes of it.
                const QPixmap banner =
                    QPixmap(artwork::kBanner).scaledToWidth(width(), Qt::SmoothTransformation);
                m_banner->setPixmap(banner);
                m_banner->resize(banner.size());
            } else {
                auto* sign = static_cast<QLabel*>(widget);
                sign->setPixmap(QPixmap(artwork::kWarningSign));
                sign->setAlignment(Qt::AlignCenter);
            }
            break;
        default:
            widget->installEventFilter(this);
            break;
        }
    }
    // The frame and the banner lie under the fields.
    frame->lower();
    m_banner->lower();

    m_candidateLists = {findChild<QListWidget*>(QStringLiteral("surnamePinyinList")),
                        findChild<QListWidget*>(QStringLiteral("givenNamePinyinList"))};
    m_dotButtons = {findChild<QPushButton*>(QStringLiteral("surnameDotButton")),
                    findChild<QPushButton*>(QStringLiteral("givenNameDotButton"))};
    m_remarks = static_cast<input::GbkPlainTextEdit*>(control(Field::remarks));
    m_remarks->setByteCap(byteCap(Field::remarks));

    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        if (auto* edit = qobject_cast<QLineEdit*>(control(field))) {
            const DialogControl* item = findFieldControl(mainFormLayout(), field);
            m_guards[i] =
                new input::GbkValidator(edit, byteCap(field), item->has(control::kDigitsOnly));
            connect(
                m_guards[i], &input::GbkValidator::characterRefused, this,
                [this] { notice(message::kCharacterNotStorable); }, Qt::QueuedConnection);
        }
    }
    connect(
        m_remarks, &input::GbkPlainTextEdit::characterRefused, this,
        [this] { notice(message::kCharacterNotStorable); }, Qt::QueuedConnection);

    // A control registered twice keeps its first tip.
    for (const FixedTooltip& tooltip : mainFormTooltips()) {
        QWidget* widget = byId.at(tooltip.controlId);
        if (widget->toolTip().isEmpty()) {
            widget->setToolTip(qText(tooltip.text));
        }
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
}

void MainForm::connectFields() {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        QWidget* widget = control(field);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            connect(edit, &QLineEdit::textChanged, this, [this, field] { textEdited(field); });
        } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
            connect(box, &QComboBox::activated, this, [this, field] { listChosen(field); });
        } else if (auto* picker = qobject_cast<QDateEdit*>(widget)) {
            connect(picker, &QDateEdit::dateChanged, this, [this] {
                if (m_silence == 0) {
                    markModified();
                }
            });
        }
    }
    connect(m_remarks, &input::GbkPlainTextEdit::textEdited, this,
            [this] { textEdited(Field::remarks); });
    for (const Side side : {Surname, GivenName}) {
        connect(m_candidateLists[side], &QListWidget::itemSelectionChanged, this,
                [this, side] { candidateChosen(side); });
        connect(m_dotButtons[side], &QPushButton::clicked, this,
                [this, side] { dotButtonClicked(side); });
    }
}

void MainForm::initialise() {
    {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        for (const ReferenceList& reference : formLists()) {
            fillList(list(reference.field), reference.entries, reference.sorted);
        }
        fillList(list(Field::position), defaultPositionList().entries,
                 defaultPositionList().sorted);
        fillList(m_titleList, externalIdentityTitleList().entries,
                 externalIdentityTitleList().sorted);
    }
    m_record = startupRecord(m_services.clock());
    writeControls();
    applyState(input::FormState::Fresh);
    m_modified = false;
    control(Field::approvalNumber)->setFocus(Qt::OtherFocusReason);
}

QWidget* MainForm::control(Field field) const {
    const auto index = static_cast<std::size_t>(field);
    return index < kFieldCount ? m_controls[index] : nullptr;
}

QLineEdit* MainForm::lineEdit(Field field) const {
    return qobject_cast<QLineEdit*>(control(field));
}

QComboBox* MainForm::list(Field field) const {
    return qobject_cast<QComboBox*>(control(field));
}

std::optional<Field> MainForm::fieldOf(const QObject* object) const {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (m_controls[i] == object) {
            return static_cast<Field>(i);
        }
    }
    return std::nullopt;
}

void MainForm::readField(Field field) {
    if (CalendarDate* date = dateValue(m_record, field)) {
        *date = toCalendarDate(static_cast<QDateEdit*>(control(field))->date());
        return;
    }
    GbkString& value = *textValue(m_record, field);
    if (auto* box = list(field)) {
        value = selectedEntry(box);
        return;
    }
    value = currentText(field);
}

GbkString MainForm::currentText(Field field) const {
    const auto index = static_cast<std::size_t>(field);
    QString text;
    if (field == Field::externalIdentityNote) {
        text = m_titleList->noteText();
    } else if (field == Field::remarks) {
        text = withCarriageReturns(m_remarks->toPlainText());
    } else {
        text = lineEdit(field)->text();
    }
    return text == m_shown[index].text ? m_shown[index].value : toGbk(text);
}

void MainForm::writeField(Field field) {
    const auto index = static_cast<std::size_t>(field);
    if (CalendarDate* date = dateValue(m_record, field)) {
        static_cast<QDateEdit*>(control(field))->setDate(toQDate(*date));
        return;
    }
    const GbkString& value = *textValue(m_record, field);
    if (auto* box = list(field)) {
        loadEntry(box, value);
        return;
    }
    const QString text = fromGbk(value);
    if (field == Field::externalIdentityNote) {
        m_titleList->setNoteText(text);
    } else if (field == Field::remarks) {
        m_remarks->setLoadedText(withLineFeeds(text));
    } else {
        m_guards[index]->setLoadedText(text);
    }
    m_shown[index] = {field == Field::remarks ? withCarriageReturns(withLineFeeds(text)) : text,
                      value};
}

bool MainForm::readControls(Report report) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        readField(static_cast<Field>(i));
    }
    if (!exceedsPositionOtherCap(m_record.positionOther)) {
        return true;
    }
    if (report == Report::Yes) {
        notice(message::kTooManyCharacters);
        QLineEdit* positionOther = lineEdit(Field::positionOther);
        positionOther->setFocus(Qt::OtherFocusReason);
        positionOther->selectAll();
    }
    return false;
}

void MainForm::writeControls() {
    const QScopedValueRollback silence(m_silence, m_silence + 1);
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        writeField(static_cast<Field>(i));
    }
    m_guards[static_cast<std::size_t>(Field::positionOther)]->setByteCap(kPositionOtherByteCap);
    refreshColours();
    m_titleList->update();
}

void MainForm::notice(std::string_view text) {
    m_services.showNotice(this, qText(text));
}

void MainForm::hideCandidateLists() {
    const QScopedValueRollback silence(m_silence, m_silence + 1);
    for (const Side side : {Surname, GivenName}) {
        m_candidateLists[side]->clear();
        showCandidates(side, false);
    }
}

void MainForm::resetForNew() {
    {
        const QScopedValueRollback silence(m_silence, m_silence + 1);
        // A choice that was pending belongs to the applicant being put away.
        hideCandidateLists();
        for (const Field field :
             {Field::approvalKind, Field::idDocumentType, Field::nameDot, Field::birthPlace,
              Field::externalIdentityNoteChoice, Field::position}) {
            list(field)->setCurrentIndex(-1);
        }
        m_record = newRecord(m_services.clock());
        fillBirthPlaceList();
        fillList(list(Field::position), defaultPositionList().entries,
                 defaultPositionList().sorted);
    }
    writeControls();
    applyState(input::FormState::Fresh);
    m_currentFilePath.clear();
    m_modified = false;
}

void MainForm::applyState(input::FormState state) {
    m_state = state;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (QWidget* widget = m_controls[i]) {
            widget->setEnabled(input::isEnabled(static_cast<Field>(i), state, m_record));
        }
    }
    for (QPushButton* dot : m_dotButtons) {
        dot->setEnabled(input::dotButtonsEnabled(state));
    }
}

bool MainForm::changesMayGo() {
    if (!m_modified) {
        return true;
    }
    switch (m_services.ask(this, qText(message::kSaveChanges), false)) {
    case PlatformServices::Answer::Yes:
        return onSave(); // a failed or cancelled save keeps the entries
    case PlatformServices::Answer::No:
        return true;
    case PlatformServices::Answer::Cancel:
        break; // Esc or the box's close button: the command is cancelled
    }
    return false;
}

void MainForm::onNew() {
    if (changesMayGo()) {
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

bool MainForm::confirmClose() {
    if (!m_modified) {
        return true;
    }
    switch (m_services.ask(this, qText(message::kSaveChanges), true)) {
    case PlatformServices::Answer::Yes:
        return onSave(); // closes only when the entries were saved
    case PlatformServices::Answer::No:
        return true;
    case PlatformServices::Answer::Cancel:
        break;
    }
    return false;
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainForm::reject() {
    close();
}

} // namespace parvelin::app
