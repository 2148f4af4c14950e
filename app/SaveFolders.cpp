#include "app/SaveFolders.h"

#include "applicants/DayFolders.h"
#include "form/FormTexts.h"
#include "form/SaveLocation.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <memory>

#include <QFile>
#include <QSettings>

namespace parvelin::app {

std::variant<QString, disk::FileError> SaveFolders::dayFolder() const {
    auto folder =
        applicants::makeDayFolder(QFile::encodeName(m_services.executableFolder()).toStdString(),
                                  QFile::encodeName(m_services.documentsFolder()).toStdString(),
                                  m_services.clock().now().localDate);
    if (auto* error = std::get_if<disk::FileError>(&folder)) {
        return std::move(*error);
    }
    return QFile::decodeName(QByteArray::fromStdString(std::get<std::string>(folder)));
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
