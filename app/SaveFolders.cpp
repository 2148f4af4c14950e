#include "app/SaveFolders.h"

#include "datafile/PrivateFolder.h"
#include "form/FormTexts.h"
#include "form/SaveLocation.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <memory>

#include <QFile>
#include <QSettings>

namespace parvelin::app {

std::variant<QString, datafile::FileError> SaveFolders::dayFolder() const {
    const std::string dated = form::datedSaveFolder(m_services.clock().now().localDate);
    const QString program = m_services.executableFolder();
    const QString besideProgram =
        form::savesBesideProgram(program.toStdString()) ? program : QString();
    for (const QString& base : {besideProgram, m_services.documentsFolder()}) {
        if (base.isEmpty()) {
            continue;
        }
        auto made = datafile::makePrivateFolders(QFile::encodeName(base).toStdString(), dated);
        if (const auto* folder = std::get_if<std::string>(&made)) {
            return QFile::decodeName(QByteArray::fromStdString(*folder));
        }
        if (std::get<datafile::FileError>(made).fault == datafile::FileFault::FolderNotPrivate) {
            return std::get<datafile::FileError>(std::move(made));
        }
    }
    return m_services.documentsFolder();
}

QString SaveFolders::lastSaveFolder() const {
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

void SaveFolders::rememberSaveFolder(const QString& folder) const {
    m_services.settings()->setValue(widgets::qText(form::kSaveDirKey), folder);
}

} // namespace parvelin::app
