#pragma once

#include "applicants/OpenedFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;

namespace parvelin::widgets {
class PlatformServices;
} // namespace parvelin::widgets

namespace parvelin::app {

class ApplicantFilter;
class ApplicantTable;
struct FolderReading;

// A file the clerk chose in the applicants window: its path in the file system's bytes, and the
// file as its row showed it, or as the clerk confirmed it after it had changed. The main form acts
// on exactly that file, and on nothing else found at the path.
struct ChosenFile {
    std::string path;
    applicants::FileSnapshot file;
};

// 申请人列表: the data files of a day's folder, one row each (ApplicantTable), to find an
// applicant, see which files hold the same person, and open or print them. The day folder of
// today comes first in the choice of folders, the other day folders beside it newest first. The
// folder is read in the background whenever the window is shown, another folder is chosen or
// 刷新 is pressed; the window stays responsive meanwhile, and a reading overtaken by a newer one
// is dropped.
//
// The window neither opens nor prints by itself: it says what the clerk asked for, and the main
// form does it with its usual questions. A command reads its rows' files first: where one is no
// longer the file that was listed, its row (and the marks of the folder) show what it holds now,
// and the window says so and asks before the main form is told. It is not modal and is not deleted
// when closed (Esc, 关闭): the main form may keep it and show it again, and call refresh() after a
// save.
class ApplicantsWindow final : public QDialog {
    Q_OBJECT
public:
    // `dayFolder`: today's folder of data files (SaveFolders::dayFolder()).
    ApplicantsWindow(widgets::PlatformServices& services, const QString& dayFolder,
                     QWidget* parent = nullptr);
    ~ApplicantsWindow() override;

public slots:
    // Reads the folder shown again, and the day folders beside today's.
    void refresh();
    // A note in the status line (where a print went) until the status changes.
    void showStatusNote(const QString& text);

signals:
    // 打开, a double click or Return on one row that opened.
    void openRequested(const ChosenFile& file);
    // 打印预览 (`preview`) or 打印 with rows selected: the selected files that opened, in the order
    // the table shows them.
    void printRequested(const std::vector<ChosenFile>& files, bool preview);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseFolder(int index);
    void showReading(const std::string& folder, FolderReading reading);
    void fillFolderChoices(const std::vector<std::string>& dayFolders);
    QString folderLabel(const std::string& folder) const;
    std::vector<int> selectedRows() const; // of the table, in the order shown
    void openRow(int row);
    void print(bool preview);
    enum class Command { Open, Preview, Print };
    std::vector<ChosenFile> filesAsTheyAreNow(const std::vector<int>& rows, Command command);
    void spanCauses();
    void updateButtons();
    void updateStatus();

    widgets::PlatformServices& m_services;
    std::string m_dayFolder;     // file system bytes
    std::string m_shownFolder;   // the folder chosen
    std::uint64_t m_reading = 0; // the latest reading asked for
    bool m_readingDone = true;
    std::optional<std::string> m_folderError; // why the folder shown could not be read

    ApplicantTable* m_table = nullptr;
    ApplicantFilter* m_filter = nullptr;
    QComboBox* m_folderBox = nullptr;
    QLineEdit* m_filterBox = nullptr;
    QTableView* m_view = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_openButton = nullptr;
    QPushButton* m_previewButton = nullptr;
    QPushButton* m_printButton = nullptr;
};

} // namespace parvelin::app
