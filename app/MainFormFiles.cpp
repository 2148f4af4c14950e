// Save and Open: the applicant on the form into a data file and back.

#include "app/MainForm.h"
#include "app/TitleComboBox.h"
#include "datafile/AtomicFile.h"
#include "datafile/DataFile.h"
#include "datafile/DataFileSize.h"
#include "datafile/FolderApplicants.h"
#include "datafile/GroupNumber.h"
#include "datafile/OpenedDataFile.h"
#include "datafile/PathNames.h"
#include "datafile/PrivateFolder.h"
#include "datafile/RecordText.h"
#include "datafile/SaveQuestions.h"
#include "datafile/Validation.h"
#include "form/FormTexts.h"
#include "form/SaveLocation.h"
#include "input/NameEntry.h"
#include "widgets/CandidateList.h"
#include "widgets/ListControls.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <variant>

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace parvelin::app {

namespace {

// Paths go to the core in the file system's own encoding.
std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

std::optional<datafile::CheckedRecord> MainForm::validateForm() {
    if (!readControls()) {
        return std::nullopt;
    }
    datafile::CheckResult result =
        datafile::validateRecord(m_record, m_services.clock(), m_storedGroup);
    if (const auto* failure = datafile::failureOf(result)) {
        notice(failure->message);
        if (failure->movesFocus()) {
            m_titleList->setFocus(Qt::OtherFocusReason);
        }
        return std::nullopt;
    }
    return std::get<datafile::CheckedRecord>(std::move(result));
}

bool MainForm::onSave() {
    if (!readControls()) {
        return false;
    }
    if (const auto refusal = input::pendingChoiceMessage(
            !m_candidateLists[Surname]->isHidden(), !m_candidateLists[GivenName]->isHidden())) {
        notice(*refusal);
        return false;
    }
    const std::optional<datafile::CheckedRecord> checked = validateForm();
    if (!checked) {
        return false;
    }
    const record::MemberRecord& applicant = checked->record();
    if (!answeredYes(datafile::applicantQuestions(applicant, checked->groupNumberDrawn()))) {
        return false;
    }
    const std::string path = pathToSave(applicant);
    if (path.empty()) {
        return false;
    }
    const auto neighbours = datafile::readFolderApplicants(datafile::folderOf(path));
    if (!answeredYes(
            datafile::folderQuestions(applicant, neighbours, datafile::fileNameOf(path)))) {
        return false;
    }
    const std::string content = datafile::sealRecord(datafile::composeFileRecord(*checked));
    if (content.size() > datafile::largestDataFile()) {
        notice(form::message::kTooLargeToOpen);
        return false;
    }
    if (const auto error = datafile::writeFileAtomically(path, content)) {
        notice(std::string(form::message::kSaveFailed) + datafile::describe(*error));
        return false;
    }
    m_modified = false;
    notice(form::message::kSaved);
    resetForNew();
    return true;
}

// Asks each question in turn; No or Esc goes back to the field it is about.
bool MainForm::answeredYes(const std::vector<datafile::SaveQuestion>& questions) {
    for (const datafile::SaveQuestion& question : questions) {
        if (m_services.ask(this, QString::fromStdString(question.text),
                           widgets::PlatformServices::Buttons::YesNo) ==
            widgets::PlatformServices::Answer::Yes) {
            continue;
        }
        QWidget* field = control(question.field);
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->selectAll();
        }
        return false;
    }
    return true;
}

// The file Save writes: the opened one, unless it has changed on disk since it was opened and the
// clerk chooses otherwise; else the one chosen in the Save dialog. Empty when the clerk cancels.
std::string MainForm::pathToSave(const record::MemberRecord& checked) {
    if (m_currentFile.empty()) {
        return localPath(chooseSavePath(checked));
    }
    if (m_openedFile && datafile::snapshotOf(m_currentFile) == m_openedFile) {
        return m_currentFile;
    }
    const QString question = widgets::qText(form::message::kChangedSinceOpened) +
                             currentFilePath() + QLatin1Char('\n') +
                             widgets::qText(form::message::kChangedSinceOpenedQuestion);
    enum Choice { Overwrite, SaveAs, Cancel };
    switch (m_services.choose(this, question,
                              {widgets::qText(form::message::kOverwrite),
                               widgets::qText(form::message::kSaveAs),
                               widgets::qText(form::message::kCancel)})) {
    case Overwrite:
        return m_currentFile;
    case SaveAs:
        return localPath(chooseSavePath(checked));
    default:
        return {};
    }
}

QString MainForm::chooseSavePath(const record::MemberRecord& checked) {
    const auto folder = saveFolder();
    if (const auto* refusal = std::get_if<datafile::FileError>(&folder)) {
        notice(std::string(form::message::kSaveFailed) + datafile::describe(*refusal));
        return {};
    }
    const QString proposed = widgets::fromGbk(form::defaultFileName(checked));
    const QString path = m_services.chooseSaveFile(this, std::get<QString>(folder), proposed,
                                                   widgets::qText(form::kSaveFilter));
    if (!path.isEmpty()) {
        writeSaveDir(QFileInfo(path).absolutePath());
    }
    return path;
}

// The dated folder beside the executable, or in the documents folder for a program installed in
// the system's folders and where the program's folder cannot be written. A dated folder that is
// not the user's alone is refused rather than passed over: the clerk has to know.
std::variant<QString, datafile::FileError> MainForm::saveFolder() const {
    const std::string dated = form::datedSaveFolder(m_services.clock().now().localDate);
    const QString program = m_services.executableFolder();
    const QString besideProgram =
        form::savesBesideProgram(program.toStdString()) ? program : QString();
    for (const QString& base : {besideProgram, m_services.documentsFolder()}) {
        if (base.isEmpty()) {
            continue;
        }
        auto made = datafile::makePrivateFolders(localPath(base), dated);
        if (const auto* folder = std::get_if<std::string>(&made)) {
            return QFile::decodeName(QByteArray::fromStdString(*folder));
        }
        if (std::get<datafile::FileError>(made).fault == datafile::FileFault::FolderNotPrivate) {
            return std::get<datafile::FileError>(std::move(made));
        }
    }
    return m_services.documentsFolder();
}

QString MainForm::currentFilePath() const {
    return QString::fromStdString(datafile::displayPath(m_currentFile));
}

QString MainForm::readSaveDir() const {
    const std::unique_ptr<QSettings> settings = m_services.settings();
    const QString key = widgets::qText(form::kSaveDirKey);
    if (settings->allKeys().isEmpty()) {
        // No settings yet: start in the documents folder and remember it.
        const QString documents = m_services.documentsFolder();
        settings->setValue(key, documents);
        return documents;
    }
    return settings->value(key).toString();
}

void MainForm::writeSaveDir(const QString& folder) const {
    m_services.settings()->setValue(widgets::qText(form::kSaveDirKey), folder);
}

void MainForm::onOpen() {
    if (!changesMayGo(widgets::PlatformServices::Buttons::YesNo)) {
        return;
    }
    const std::string path = m_services.chooseOpenFile(
        this, readSaveDir(),
        {widgets::qText(form::kOpenFilter), widgets::qText(form::kOpenAllFilter)});
    if (path.empty()) {
        return;
    }
    // Over a fresh record: nothing of the applicant on the form is left in a field the file does
    // not fill (the filing number under 已备案, for one).
    auto opened = datafile::openDataFile(path, record::freshRecord(m_services.clock()));
    if (const auto* failure = std::get_if<datafile::OpenFailure>(&opened)) {
        notice(failure->fault == datafile::OpenFault::Damaged
                   ? std::string(form::message::kDamagedFile)
                   : std::string(form::message::kReadFailed) + failure->reason);
        return;
    }
    hideCandidateLists();
    fillListsAsAtStartUp();
    auto& file = std::get<datafile::OpenedDataFile>(opened);
    m_record = std::move(file.record);
    m_openedFile = std::move(file.file);
    m_storedGroup = datafile::StoredGroupNumber::of(m_record);
    fillBirthPlaceList();
    fillPositionList();
    writeControls();
    applyState(input::FormState::Opened);
    m_currentFile = path;
    m_modified = false;
}

} // namespace parvelin::app
