#pragma once

#include "app/FormBinding.h"
#include "app/SaveFolders.h"
#include "applicants/FolderQuestions.h"
#include "applicants/OpenedApplicant.h"
#include "applicants/OpenedFile.h"
#include "datafile/GroupNumber.h"
#include "datafile/SaveQuestions.h"
#include "datafile/Validation.h"
#include "form/DialogTemplates.h"
#include "input/FormRules.h"
#include "input/NameRomanizer.h"
#include "record/MemberRecord.h"
#include "widgets/FieldMark.h"
#include "widgets/PlatformServices.h"

#include <array>
#include <functional>
#include <map>
#include <string_view>
#include <variant>

#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QString>

class QComboBox;
class QHelpEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QPushButton;

namespace parvelin::input {
class PinyinTable;
} // namespace parvelin::input

namespace parvelin::widgets {
class NamePair;
} // namespace parvelin::widgets

class QCheckBox;

namespace parvelin::print {
struct PrintJob;
} // namespace parvelin::print

namespace parvelin::app {

class ApplicantsWindow;
class Banner;
struct ChosenFile;
class TitleComboBox;
enum class PrintCommand;

// The one window the operator works in: every value of the applicant's MemberRecord, the eight
// command buttons and the banner, built from the layout table (form/DialogTemplates.h).
//
// Its pieces: the binding of the controls to the record (FormBinding), the two name pairs
// (widgets::NamePair), the field flows (MainFormFlows.cpp: what a change of one control does to
// the others, each through applyEdit) and the commands (MainFormCommands.cpp: Save, Open and Print
// after validateForm). Change notifications that arrive while the form writes to its controls are
// ignored, so one handler never sets off another. Each control's object name is the name of its
// field ("surnameChinese") or role ("saveButton").
class MainForm final : public QDialog {
    Q_OBJECT
public:
    MainForm(const input::PinyinTable& pinyinTable, widgets::PlatformServices& services,
             QWidget* parent = nullptr);
    ~MainForm() override;

    // The exchange between the controls and the record. Reading fails only for an other-position
    // text over 50 bytes: the form then says so (unless told not to) and puts the focus there.
    enum class Report { Yes, No };
    bool readControls(Report report = Report::Yes);
    void writeControls();

    // The checks before a record is stored or printed: the controls are read and checked; the
    // first failed check's message is shown (the unreplaced title also takes the focus to the title
    // list). The checked record (trimmed, with its group number) when it may be stored or printed.
    std::optional<datafile::CheckedRecord> validateForm();

    const record::MemberRecord& record() const { return m_record; }
    // The data file of the applicant on the form, for display; empty for a new applicant.
    QString currentFilePath() const;
    bool isModified() const { return m_modified; }
    input::FormState state() const { return m_state; }
    widgets::PlatformServices& services() const { return m_services; }
    // A note in the form's status line (where a page went), replacing the last; no answer needed.
    void showStatusNote(const QString& text);

public slots:
    // The commands of the eight buttons.
    void onNew();
    void onOpen();
    bool onSave(); // true when the record was written; the form is then fresh again
    void onEdit();
    void onAbout();
    void onExit(); // posts a close request, which asks before changes are thrown away
    // Print preview and Print of the opened, unchanged applicant.
    void onPrintPreview();
    void onPrint();
    // The window of the day's applicants, which opens a row on the form or prints several.
    void onApplicants();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Esc: the close request, never a silent end

private:
    enum Side { Surname = 0, GivenName = 1 };

    // Construction (MainForm.cpp).
    void buildControls();
    form::DialogBaseUnits setUpWindow();
    std::map<int, QWidget*> createControls(const form::DialogBaseUnits& units);
    QWidget* createControl(const form::DialogControl& item);
    void showArtwork(const form::DialogControl& item, QWidget* widget);
    void guardTextInputs();
    void createNamePairs();
    void createAdditions(const form::DialogBaseUnits& units);
    void connectCommands();
    void connectFields();
    void initialise();
    void fillListsAsAtStartUp();

    // Controls of fields.
    QWidget* control(record::Field field) const { return m_binding.control(field); }
    QLineEdit* lineEdit(record::Field field) const { return m_binding.lineEdit(field); }
    QComboBox* list(record::Field field) const { return m_binding.list(field); }

    // Commands and states (MainForm.cpp).
    void resetForNew();
    // The group number the checks keep while the approval number stays: the opened applicant's,
    // or the kept group's.
    std::optional<datafile::StoredGroupNumber> storedGroup() const;
    // After a save with the group kept: the next applicant of the saved one's group.
    void resetForNextOfGroup(const record::MemberRecord& saved,
                             std::vector<applicants::FolderApplicant> group);
    void proposePersonalSequence();
    void applyState(input::FormState state);
    // Before New, Open and closing let the entries go: unless unchanged, ask whether to save them,
    // with `buttons`; true when the form may go on (No, or Yes and the save succeeded). Esc or
    // closing the prompt cancels the command.
    bool changesMayGo(widgets::PlatformServices::Buttons buttons);
    void setModified(bool modified);
    // The caption: the program, the applicant of the opened file or a new one, "*" while changed.
    void updateTitle();
    void notice(std::string_view text);
    void hideCandidateLists();

    // Field flows (MainFormFlows.cpp).
    void textEdited(record::Field field);
    void listChosen(record::Field field);
    // Every edit of the clerk's ends here, so that each follows it the same way: the form counts
    // as changed; the controls are read into the record unless the edit says it needs no reading
    // (it changed its own controls, or they were read just before); `rule` makes on the record
    // what follows from the edit, and the controls show the result where it changed anything;
    // the colours and the title list then follow what the controls show.
    enum class Reading { FromControls, None };
    void applyEdit(Reading reading, const std::function<void(record::MemberRecord&)>& rule = {});
    void nameEdited();
    void dependentListChanged(record::Field lead);
    void capitaliseCheckCharacter();
    void idNumberLeft();
    void identityNoteLostFocus();
    void fillBirthPlaceList();
    void fillPositionList();
    void refreshColours();
    bool filterKeyPress(QObject* watched, QKeyEvent* event);
    bool filterInputMethod(QObject* watched, QInputMethodEvent* event);
    void focusNextField(QWidget* from);
    void noteAt(QWidget* box, const QString& text);
    void showTitleTooltip(QHelpEvent* event);

    // Save, Open, Print preview and Print (MainFormCommands.cpp).
    void leadToFailedField(const datafile::CheckFailure& failure);
    // `chosen`: the file as the clerk chose it in the applicants window; it is not opened where
    // it has changed since.
    void openFile(const std::string& path,
                  const std::optional<applicants::FileSnapshot>& chosen = std::nullopt);
    bool answeredYes(const std::vector<datafile::SaveQuestion>& questions);
    std::string pathToSave(const record::MemberRecord& checked);
    QString chooseSavePath(const record::MemberRecord& checked);
    std::string spareOtherFile(const std::string& path, const record::MemberRecord& checked);
    void runPrintCommand(PrintCommand command);
    void printFiles(const std::vector<ChosenFile>& files, PrintCommand command);
    void startPrint(std::vector<print::PrintJob> jobs, std::vector<std::string> names,
                    const std::string& jobName, PrintCommand command);
    QWidget* printCommandWindow();
    bool mayPrintWhatIsCut(const std::vector<print::PrintJob>& jobs,
                           const std::vector<std::string>& names);

    input::NameRomanizer m_romanizer; // reads the program's pinyin table
    widgets::PlatformServices& m_services;

    record::MemberRecord m_record;
    std::optional<applicants::OpenedApplicant> m_opened; // set by Open; none for a new applicant
    // The next applicant of a kept group opens no file, but keeps the group number that the one
    // saved before it was stored with.
    std::optional<datafile::StoredGroupNumber> m_keptGroup;
    bool m_modified = false;
    input::FormState m_state = input::FormState::Fresh;
    int m_silence = 0;        // > 0 while the form writes to its controls
    bool m_resending = false; // a cut input-method event passes the filter once more

    FormBinding m_binding;
    SaveFolders m_saveFolders;
    TitleComboBox* m_titleList = nullptr;
    std::array<widgets::NamePair*, 2> m_names{};
    QCheckBox* m_keepGroup = nullptr;
    QLabel* m_statusNote = nullptr;
    widgets::FieldMark m_failedField;
    Banner* m_banner = nullptr;
    QPointer<QMainWindow> m_printWindow; // the window of the last print command, while it lives
    QPointer<ApplicantsWindow> m_applicants;
};

} // namespace parvelin::app
