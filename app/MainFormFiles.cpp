// Save and Open: the applicant on the form into a data file and back.

#include "app/MainForm.h"
#include "app/TitleComboBox.h"
#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "datafile/Validation.h"
#include "form/FormTexts.h"
#include "form/SaveLocation.h"
#include "input/NameEntry.h"
#include "widgets/ListControls.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QSaveFile>
#include <QScopedValueRollback>

namespace parvelin::app {

namespace {

// Writes the whole content or nothing: a temporary file in the same folder takes the bytes and
// then replaces the old file, so a failure never leaves a half-written data file behind.
bool writeDataFile(const QString& path, const std::string& content, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(content.data(), static_cast<qint64>(content.size())) !=
        static_cast<qint64>(content.size())) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool MainForm::validateForm() {
    if (!readControls()) {
        return false;
    }
    if (const auto failure = datafile::validateRecord(m_record, m_services.clock())) {
        notice(failure->message);
        if (failure->movesFocus()) {
            m_titleList->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }
    return true;
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
    if (!validateForm()) {
        return false;
    }
    // Composing joins the name separator to the surname of the record itself.
    const record::GbkString recordText = datafile::composeFileRecord(m_record);
    QString path = m_currentFilePath;
    if (path.isEmpty()) {
        path = chooseSavePath();
        if (path.isEmpty()) {
            return false;
        }
    }
    QString error;
    if (!writeDataFile(path, datafile::sealRecord(recordText), error)) {
        notice(std::string(form::message::kSaveFailed) + error.toStdString());
        return false;
    }
    m_modified = false;
    notice(form::message::kSaved);
    resetForNew();
    return true;
}

QString MainForm::chooseSavePath() {
    const QString proposed = widgets::fromGbk(form::defaultFileName(m_record));
    const QString path =
        m_services.chooseSaveFile(this, saveFolder(), proposed, widgets::qText(form::kSaveFilter));
    if (!path.isEmpty()) {
        writeSaveDir(QFileInfo(path).absolutePath());
    }
    return path;
}

// The dated folder beside the executable, or in the documents folder where the program's folder
// cannot be written (a program installed in a system folder).
QString MainForm::saveFolder() const {
    const QString dated =
        QString::fromStdString(form::datedSaveFolder(m_services.clock().now().localDate));
    for (const QString& base : {m_services.executableFolder(), m_services.documentsFolder()}) {
        if (!base.isEmpty() && QDir(base).mkpath(dated)) {
            return QDir(base).filePath(dated);
        }
    }
    return m_services.documentsFolder();
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
    if (!changesMayGo()) {
        return;
    }
    const QString path = m_services.chooseOpenFile(
        this, readSaveDir(),
        {widgets::qText(form::kOpenFilter), widgets::qText(form::kOpenAllFilter)});
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        notice(std::string(form::message::kReadFailed) + file.errorString().toStdString());
        return;
    }
    const QByteArray content = file.readAll();
    const auto recordText =
        datafile::openRecord(std::string_view(content.constData(), content.size()));
    record::MemberRecord opened = m_record;
    if (!recordText ||
        datafile::parseFileRecord(*recordText, opened) != datafile::ParseStatus::Ok) {
        notice(form::message::kDamagedFile);
        return;
    }
    hideCandidateLists();
    m_record = std::move(opened);
    fillBirthPlaceList();
    fillPositionList();
    writeControls();
    applyState(input::FormState::Opened);
    m_currentFilePath = path;
    m_modified = false;
}

} // namespace parvelin::app
