// The commands that move the applicant: Save and Open between the form and a data file, Print
// preview and Print from the form to paper. Each runs the same checks first (validateForm).

#include "app/ApplicantsWindow.h"
#include "app/MainForm.h"
#include "app/PrintHandOver.h"
#include "app/PrintWindow.h"
#include "app/TitleComboBox.h"
#include "applicants/DataFileName.h"
#include "applicants/FolderQuestions.h"
#include "applicants/ListedFile.h"
#include "applicants/OpenedFile.h"
#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "datafile/SaveQuestions.h"
#include "disk/AtomicFile.h"
#include "disk/PathNames.h"
#include "disk/PrivateFolder.h"
#include "form/FormTexts.h"
#include "form/SaveLocation.h"
#include "input/NameEntry.h"
#include "print/PrintBatch.h"
#include "print/PrintJob.h"
#include "print/PrintReports.h"
#include "print/qt/PageOutput.h"
#include "print/qt/PrinterPages.h"
#include "widgets/NamePair.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <algorithm>
#include <memory>
#include <variant>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

namespace parvelin::app {

namespace {

// Paths go to the core in the file system's own encoding.
std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A name beside `path` that nothing in its folder has, not even a broken link.
std::optional<std::string> freeNameBeside(const std::string& path) {
    const std::string folder = disk::folderOf(path);
    return applicants::freeFileName(disk::fileNameOf(path), [&folder](const std::string& name) {
        return applicants::fileAt(disk::pathIn(folder, name)).has_value();
    });
}

// Whether writing `checked` into `path` would replace another applicant, or a file that is no
// data file: the question that says so.
std::optional<std::string> replaceQuestionAt(const std::string& path,
                                             const record::MemberRecord& checked) {
    const std::optional<applicants::ListedFile> existing = applicants::fileAt(path);
    return existing ? applicants::replaceQuestion(*existing, checked) : std::nullopt;
}

// The name the Save dialog proposes in `folder`, without the suffix the dialog adds: the
// applicant's group and name, or a free name beside it where that file holds someone else.
QString proposedFileName(const QString& folder, const record::MemberRecord& checked) {
    const QString proposed = widgets::fromGbk(applicants::defaultFileName(checked));
    const QString suffix = widgets::qText(applicants::kDataFileSuffix);
    const std::string path = disk::pathIn(localPath(folder), localPath(proposed + suffix));
    if (!replaceQuestionAt(path, checked)) {
        return proposed;
    }
    const std::optional<std::string> free = freeNameBeside(path);
    return free ? QFile::decodeName(QByteArray::fromStdString(*free)).chopped(suffix.size())
                : proposed;
}

} // namespace

std::optional<datafile::CheckedRecord> MainForm::validateForm() {
    if (!readControls()) {
        return std::nullopt;
    }
    datafile::CheckResult result =
        datafile::validateRecord(m_record, m_services.clock(), storedGroup());
    if (const auto* failure = datafile::failureOf(result)) {
        notice(failure->message);
        leadToFailedField(*failure);
        return std::nullopt;
    }
    return std::get<datafile::CheckedRecord>(std::move(result));
}

// The caret goes to the field a failed check is about, which stays marked until it changes. Of
// several required values missing, the first in the tab order: the check names one of them.
void MainForm::leadToFailedField(const datafile::CheckFailure& failure) {
    QWidget* target = failure.movesFocus() ? m_titleList : control(failure.field);
    if (failure.kind == datafile::CheckKind::Missing) {
        const std::vector<record::Field> missing = datafile::missingRequiredFields(m_record);
        for (const form::DialogControl& item : form::mainFormLayout()) {
            if (item.field && std::ranges::find(missing, *item.field) != missing.end()) {
                target = control(*item.field);
                break;
            }
        }
    }
    if (target == nullptr) {
        return;
    }
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->selectAll();
    }
    m_failedField.mark(target);
}

bool MainForm::onSave() {
    if (!readControls()) {
        return false;
    }
    if (const auto refusal = input::pendingChoiceMessage(m_names[Surname]->isChoosing(),
                                                         m_names[GivenName]->isChoosing())) {
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
    if (m_opened && m_opened->isAt(path)) {
        if (auto question = applicants::groupNumberChangeQuestion(
                applicant, m_opened->storedGroup().groupNumber, disk::fileNameOf(path));
            question && !answeredYes({std::move(*question)})) {
            return false;
        }
    }
    const auto neighbours = applicants::readFolderApplicants(disk::folderOf(path));
    if (!answeredYes(applicants::folderQuestions(applicant, neighbours, disk::fileNameOf(path)))) {
        return false;
    }
    const std::string content = datafile::sealRecord(datafile::composeFileRecord(*checked));
    if (content.size() > datafile::largestDataFile()) {
        notice(form::message::kTooLargeToOpen);
        return false;
    }
    // The opened file is replaced only through the link that Open found at its path, if any.
    std::optional<disk::OpenedPath> opened;
    if (m_opened && m_opened->isAt(path)) {
        opened = m_opened->replacement();
    }
    if (const auto error = disk::writeFileAtomically(path, content, opened)) {
        notice(std::string(form::message::kSaveFailed) + disk::describe(*error));
        return false;
    }
    m_services.showInformation(this, widgets::qText(form::message::kSaved) + QLatin1Char('\n') +
                                         QString::fromStdString(disk::displayPath(path)));
    if (m_applicants) {
        m_applicants->refresh();
    }
    const bool groupKept = m_keepGroup->isChecked();
    if (groupKept) {
        std::vector<applicants::FolderApplicant> group = neighbours;
        group.push_back({std::string(disk::fileNameOf(path)), applicant});
        resetForNextOfGroup(checked->fileValues(), std::move(group));
    } else {
        resetForNew();
    }
    // Wherever the save was asked for (a list, a box, the button), the next entries start here.
    control(input::firstFieldAfterSave(m_record, groupKept))->setFocus(Qt::OtherFocusReason);
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
    if (!m_opened) {
        return spareOtherFile(localPath(chooseSavePath(checked)), checked);
    }
    if (m_opened->unchangedOnDisk()) {
        return m_opened->path();
    }
    const QString question = widgets::qText(form::message::kChangedSinceOpened) +
                             currentFilePath() + QLatin1Char('\n') +
                             widgets::qText(form::message::kChangedSinceOpenedQuestion);
    // The default (Return) keeps what was written meanwhile: only 覆盖 throws it away.
    enum Choice { SaveAs, Overwrite, Cancel };
    switch (m_services.choose(this, question,
                              {widgets::qText(form::message::kSaveAs),
                               widgets::qText(form::message::kOverwrite),
                               widgets::qText(form::message::kCancel)})) {
    case Overwrite:
        return m_opened->path();
    case SaveAs:
        return spareOtherFile(localPath(chooseSavePath(checked)), checked);
    default:
        return {};
    }
}

QString MainForm::chooseSavePath(const record::MemberRecord& checked) {
    const auto folder = m_saveFolders.dayFolder();
    if (const auto* refusal = std::get_if<disk::FileError>(&folder)) {
        notice(std::string(form::message::kSaveFailed) + disk::describe(*refusal));
        return {};
    }
    const QString proposed = proposedFileName(std::get<QString>(folder), checked);
    const QString path = m_services.chooseSaveFile(this, std::get<QString>(folder), proposed,
                                                   widgets::qText(form::kSaveFilter));
    if (path.isEmpty()) {
        return path;
    }
    // Where others may write, they could put a link of their own in the file's place first.
    const QString chosenFolder = QFileInfo(path).absolutePath();
    if (const auto refusal = disk::checkSaveFolder(localPath(chosenFolder))) {
        notice(std::string(form::message::kSaveFailed) + disk::describe(*refusal));
        return {};
    }
    m_saveFolders.rememberSaveFolder(chosenFolder);
    return path;
}

// A file chosen in the Save dialog that is there already: the dialog's own question is enough
// where it holds the applicant being saved. Where it holds another applicant, or is no data file
// that opens, the clerk is told what would be lost, and the file is replaced only by the answer
// that says so: the first answer, the default, saves beside it under a free name, and the last
// (Esc) goes back to the form. The path to write; empty to go back.
std::string MainForm::spareOtherFile(const std::string& path, const record::MemberRecord& checked) {
    const std::optional<std::string> question =
        path.empty() ? std::nullopt : replaceQuestionAt(path, checked);
    if (!question) {
        return path;
    }
    const std::optional<std::string> free = freeNameBeside(path);
    QStringList buttons;
    if (free) {
        buttons << widgets::qText(form::message::kSaveBeside) + QStringLiteral("“") +
                       QString::fromStdString(disk::displayFileName(*free)) + QStringLiteral("”")
                << widgets::qText(form::message::kReplace);
    }
    buttons << widgets::qText(form::message::kCancel);
    const int answer = m_services.choose(this, QString::fromStdString(*question), buttons);
    if (!free || answer < 0 || answer >= buttons.size() - 1) {
        return {};
    }
    return answer == 0 ? disk::pathIn(disk::folderOf(path), *free) : path;
}

QString MainForm::currentFilePath() const {
    return m_opened ? QString::fromStdString(disk::displayPath(m_opened->path())) : QString();
}

void MainForm::onOpen() {
    if (!changesMayGo(widgets::PlatformServices::Buttons::YesNo)) {
        return;
    }
    const std::string path = m_services.chooseOpenFile(
        this, m_saveFolders.lastSaveFolder(),
        {widgets::qText(form::kOpenFilter), widgets::qText(form::kOpenAllFilter)});
    if (!path.empty()) {
        openFile(path);
    }
}

void MainForm::openFile(const std::string& path,
                        const std::optional<applicants::FileSnapshot>& chosen) {
    // Over a fresh record: nothing of the applicant on the form is left in a field the file does
    // not fill (the filing number under 已备案, for one).
    auto opened = applicants::openDataFile(path, record::freshRecord(m_services.clock()));
    if (const auto* failure = std::get_if<applicants::OpenFailure>(&opened)) {
        notice(failure->fault == applicants::OpenFault::Damaged
                   ? std::string(form::message::kDamagedFile)
                   : std::string(form::message::kReadFailed) + failure->reason);
        return;
    }
    if (chosen && std::get<applicants::OpenedDataFile>(opened).file != *chosen) {
        notice(disk::displayPath(path) + "：" + std::string(form::message::kChangedSinceChosen));
        if (m_applicants) {
            m_applicants->refresh();
        }
        return;
    }
    hideCandidateLists();
    fillListsAsAtStartUp();
    auto& file = std::get<applicants::OpenedDataFile>(opened);
    m_record = std::move(file.record);
    m_opened.emplace(path, std::move(file.file), m_record);
    fillBirthPlaceList();
    fillPositionList();
    writeControls();
    applyState(input::FormState::Opened);
    m_failedField.clear();
    setModified(false);
}

void MainForm::onPrintPreview() {
    runPrintCommand(PrintCommand::Preview);
}

void MainForm::onPrint() {
    runPrintCommand(PrintCommand::Print);
}

// Both commands: refuse unless the applicant's file is open and unchanged, check, then hand the
// page to a print window, which previews it or prints it through the print dialog.
void MainForm::runPrintCommand(PrintCommand command) {
    if (const auto refusal = print::printRefusal(m_opened.has_value(), m_modified)) {
        notice(*refusal);
        return;
    }
    const std::optional<datafile::CheckedRecord> checked = validateForm();
    if (!checked) {
        return;
    }
    const std::string fileName = disk::displayFileName(disk::fileNameOf(m_opened->path()));
    startPrint({print::printJobFor(*checked)}, {}, print::printJobName(checked->record(), fileName),
               command);
}

// Several applicants of the applicants window, a page each in one job, as each prints alone: each
// file opened and checked as Open and the print commands do. Files that do not open, fail a check
// or are no longer as they were chosen are named; the others print.
void MainForm::printFiles(const std::vector<ChosenFile>& files, PrintCommand command) {
    std::vector<print::FileToPrint> chosen;
    for (const ChosenFile& file : files) {
        chosen.push_back({file.path, file.file});
    }
    print::PrintBatch batch = print::preparePrintBatch(chosen, m_services.clock());
    if (!batch.leftOut.empty()) {
        if (m_applicants && std::ranges::any_of(batch.leftOut, [](const auto& file) {
                return file.reason == print::LeftOutReason::ChangedSinceChosen;
            })) {
            m_applicants->refresh();
        }
        notice(print::leftOutMessage(batch.leftOutLines()));
    }
    if (!batch.jobs.empty()) {
        startPrint(std::move(batch.jobs), std::move(batch.names), batch.jobName, command);
    }
}

// What every print command does with its jobs: a print service that answers, then a print window
// that previews the pages or prints them through the print dialog. `names` name the jobs' files
// in their warnings where there are several.
void MainForm::startPrint(std::vector<print::PrintJob> jobs, std::vector<std::string> names,
                          const std::string& jobName, PrintCommand command) {
    // Every printer Qt sets up (the preview's too) asks the print service for its default printer
    // first: one that does not answer would hold the window for minutes.
    if (!printServiceAnswers(m_services, this)) {
        return;
    }
    // Each command has jobs of its own, so each barcode warning comes at most once.
    const auto shared = std::make_shared<std::vector<print::PrintJob>>(std::move(jobs));
    const auto labels = std::make_shared<std::vector<std::string>>(std::move(names));
    const QPointer<MainForm> form(this);
    const auto warnAbout = [form, labels](std::size_t job, std::string_view message) {
        // Shown after the drawing, not inside the preview's repaint.
        const QString text = widgets::qText(labels->size() > 1 && job < labels->size()
                                                ? print::fileLine((*labels)[job], message)
                                                : std::string(message));
        QMetaObject::invokeMethod(
            form, [form, text] { form->m_services.showNotice(form->printCommandWindow(), text); },
            Qt::QueuedConnection);
    };
    const auto warn = [warnAbout](std::string_view message) { warnAbout(0, message); };
    PageDrawing drawing = [shared, warnAbout](QPrinter& printer) {
        print::printFormPages(printer, *shared, warnAbout);
    };
    PrintHooks hooks{
        [form, shared, labels] { return form && form->mayPrintWhatIsCut(*shared, *labels); },
        [form] { return !form || printServiceAnswers(form->m_services, form); },
        [form, shared, warn, jobName](QPrinter& printer) {
            return form && handOverToPrintService(
                               printer, *shared, jobName, warn, form->m_services, form,
                               form->printCommandWindow(),
                               [form](const QString& note) { form->showStatusNote(note); });
        },
        QString::fromStdString(jobName),
    };
    // The preview is called after the applicant or the group it shows, as the job is.
    m_printWindow = new PrintWindow(std::move(drawing), this, command,
                                    QString::fromStdString(jobName) + QStringLiteral(" (预览)"),
                                    m_services, std::move(hooks));
}

// The window a print command's boxes belong to: its print window while that is open (the form
// is hidden then), else the form.
QWidget* MainForm::printCommandWindow() {
    return m_printWindow ? static_cast<QWidget*>(m_printWindow.data()) : this;
}

// A page whose cells cut values goes to paper only when the clerk says so (Esc: no); of several,
// each such page is asked about with its file's name.
bool MainForm::mayPrintWhatIsCut(const std::vector<print::PrintJob>& jobs,
                                 const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const std::optional<std::string> question =
            print::cutCellsQuestion(print::cutCellsOf(jobs[i]));
        if (!question) {
            continue;
        }
        const std::string asked =
            jobs.size() > 1 && i < names.size() ? print::fileLine(names[i], *question) : *question;
        if (m_services.ask(printCommandWindow(), widgets::qText(asked),
                           widgets::PlatformServices::Buttons::YesNo) !=
            widgets::PlatformServices::Answer::Yes) {
            return false;
        }
    }
    return true;
}

// The applicants window of the day's save folder: one, shown again where it is open.
void MainForm::onApplicants() {
    if (!m_applicants) {
        const auto folder = m_saveFolders.dayFolder();
        if (const auto* refusal = std::get_if<disk::FileError>(&folder)) {
            notice(std::string(form::message::kSaveFailed) + disk::describe(*refusal));
            return;
        }
        m_applicants = new ApplicantsWindow(m_services, std::get<QString>(folder), this);
        connect(m_applicants, &ApplicantsWindow::openRequested, this,
                [this](const ChosenFile& chosen) {
                    if (changesMayGo(widgets::PlatformServices::Buttons::YesNo)) {
                        openFile(chosen.path, chosen.file);
                    }
                });
        connect(m_applicants, &ApplicantsWindow::printRequested, this,
                [this](const std::vector<ChosenFile>& files, bool preview) {
                    printFiles(files, preview ? PrintCommand::Preview : PrintCommand::Print);
                });
    }
    m_applicants->show();
    m_applicants->raise();
    m_applicants->activateWindow();
}

} // namespace parvelin::app
