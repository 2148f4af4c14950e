#pragma once

#include "disk/FileError.h"

#include <variant>

#include <QString>

namespace parvelin::widgets {
class PlatformServices;
} // namespace parvelin::widgets

namespace parvelin::app {

// Where the form's data files go and where Open starts looking.
class SaveFolders {
public:
    explicit SaveFolders(widgets::PlatformServices& services)
        : m_services(services) {}

    // The day's folder beside the executable, or in the documents folder for a program installed
    // in the system's folders and where the program's folder cannot be written; the documents
    // folder itself when neither can be made. A day's folder that is not the user's alone is
    // refused rather than passed over: the clerk has to know.
    std::variant<QString, disk::FileError> dayFolder() const;

    // The folder of the last file saved through the Save dialog (the documents folder the first
    // time, which is then remembered), and remembering it.
    QString lastSaveFolder() const;
    void rememberSaveFolder(const QString& folder) const;

private:
    widgets::PlatformServices& m_services;
};

} // namespace parvelin::app
