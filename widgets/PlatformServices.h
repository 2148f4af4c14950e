#pragma once

#include "print/PrintService.h"
#include "record/Clock.h"
#include "widgets/PrintDialogService.h"

#include <memory>
#include <optional>
#include <string>

#include <QSettings>
#include <QString>
#include <QStringList>

class QWidget;

namespace parvelin::widgets {

// The blocking services of the platform that the form and its dialogs use: message boxes, file
// dialogs, the print dialog and the print service, the clock, the folders Save starts from and the
// settings store. The
// program uses the Qt implementation below; tests put in scripted ones that record what was shown
// and answer as told.
class PlatformServices : public PrintDialogService {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~PlatformServices() = default;

    // A refusal, a failure or a warning: the warning icon and one OK button, captioned with the
    // program's Chinese name.
    virtual void showNotice(QWidget* owner, const QString& text) = 0;

    // A success ("保存成功！"): the same with the information icon.
    virtual void showInformation(QWidget* owner, const QString& text) = 0;

    // One of the form's prompts, captioned "系统提示 " with the question icon: Yes and No, with or
    // without Cancel; Yes is the default button. Esc and closing the box answer Cancel, also where
    // no Cancel button is shown: only an explicit No lets entries go.
    enum class Buttons { YesNo, YesNoCancel };
    virtual Answer ask(QWidget* owner, const QString& text, Buttons buttons) = 0;

    // A question captioned "系统提示 " with buttons of its own, the first the default; the index
    // of the button pressed. The last button cancels: Esc and closing the box answer it.
    virtual int choose(QWidget* owner, const QString& text, const QStringList& buttons) = 0;

    // The Save dialog, starting in `folder` with `proposedName`; the chosen path, empty when
    // cancelled. The dialog adds the suffix of `filter` and asks before replacing a file.
    virtual QString chooseSaveFile(QWidget* owner, const QString& folder,
                                   const QString& proposedName, const QString& filter) = 0;

    // The Open dialog, starting in `folder` (the home folder when empty); the chosen file's path
    // in the file system's own bytes (a name may be GBK), empty when cancelled.
    virtual std::string chooseOpenFile(QWidget* owner, const QString& folder,
                                       const QStringList& filters) = 0;

    virtual const record::Clock& clock() const = 0;

    // The folder of the program's executable, and the user's documents folder.
    virtual QString executableFolder() const = 0;
    virtual QString documentsFolder() const = 0;

    // The settings store of organisation "Parvelin", application "Settings".
    virtual std::unique_ptr<QSettings> settings() const = 0;
    // The password of `user` that the print service wants before it takes a job for `printer`;
    // nothing when the clerk declines.
    virtual std::optional<QString> askPrinterPassword(QWidget* owner, const QString& printer,
                                                      const QString& user) = 0;
    // The print service that takes the pages printed to a printer (not into a PDF file). Its calls
    // block: they are made on threads of their own, which share it.
    virtual std::shared_ptr<print::PrintService> printService() const = 0;
};

} // namespace parvelin::widgets
