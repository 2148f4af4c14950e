#pragma once

#include "disk/FolderEntries.h"

#include <string>
#include <vector>

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace parvelin::widgets {

// The Open dialog: the folders and files of a folder, as the file system names them. Qt's file
// dialog leaves out a file whose name is not UTF-8, and archives made on Chinese systems name
// theirs in GBK; this one lists every name (shown as GBK where it is not UTF-8) and gives the
// chosen file's path in the file system's own bytes, so that such a file opens like any other.
class OpenFileDialog final : public QDialog {
    Q_OBJECT

public:
    // Starts in `folder` (file system bytes; the nearest folder above it that exists, the home
    // folder where it is empty), listing what the first of `filters` admits.
    OpenFileDialog(QWidget* owner, const std::string& folder, const QStringList& filters);

    // The chosen file, empty until one is chosen.
    const std::string& chosenFile() const { return m_chosen; }

    // The folder shown, and the names listed in it as the clerk sees them.
    const std::string& folder() const { return m_folder; }
    QStringList listedNames() const;

private:
    void showFolder(const std::string& folder);
    void relist();
    void openEntry(const disk::FolderEntry& entry);
    void openTyped();
    void goToTypedFolder();

    std::string m_folder;
    std::string m_chosen;
    std::vector<disk::FolderEntry> m_listed;
    QLineEdit* m_folderBox = nullptr;
    QListWidget* m_entries = nullptr;
    QLineEdit* m_nameBox = nullptr;
    QComboBox* m_filterBox = nullptr;
    QPushButton* m_openButton = nullptr;
};

} // namespace parvelin::widgets
