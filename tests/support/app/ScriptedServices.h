#pragma once

#include "app/PrintServiceModule.h"
#include "app/QtPlatformServices.h"
#include "tests/support/FixedClock.h"
#include "tests/support/app/FormDriver.h"
#include "widgets/PlatformServices.h"

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include <QFile>
#include <QMessageBox>
#include <QPrinter>
#include <QSettings>
#include <QString>
#include <QStringList>

namespace parvelin::test {

// Platform services for GUI tests: message boxes and file dialogs are not shown but recorded, and
// answered from scripts (prompts may be shown as real message boxes instead); the clock is fixed;
// the program's folder, the documents folder and the settings file lie in a temporary folder of the
// test.
class ScriptedServices final : public widgets::PlatformServices {
public:
    struct Prompt {
        QString text;
        bool withCancel = false;
    };
    struct SaveDialog {
        QString folder;
        QString proposedName;
        QString filter;
    };
    struct OpenDialog {
        QString folder;
        QStringList filters;
    };

    // The clock stands at a second of 2012-05-17 (in UTC), by default its first.
    static constexpr std::int64_t kFirstSecond = 1'337'212'800;

    explicit ScriptedServices(const QString& root, std::int64_t epochSeconds = kFirstSecond)
        : executable(root + QStringLiteral("/program"))
        , documents(root + QStringLiteral("/documents"))
        , settingsFile(root + QStringLiteral("/settings.ini"))
        , m_clock(std::chrono::year{2012} / 5 / 17, epochSeconds) {}

    void showNotice(QWidget*, const QString& text) override { notices.append(text); }
    void showInformation(QWidget*, const QString& text) override { notices.append(text); }

    Answer ask(QWidget* owner, const QString& text, Buttons buttons) override {
        prompts.push_back({text, buttons == Buttons::YesNoCancel});
        if (realPrompts && isRealBoxAwaited(text)) {
            return app::QtPlatformServices().ask(owner, text, buttons);
        }
        if (realPrompts) {
            return Answer::Cancel;
        }
        if (answers.empty()) {
            unexpected.append(QStringLiteral("prompt without an answer: ") + text);
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Questions with buttons of their own, answered with the index of a button.
    int choose(QWidget* owner, const QString& text, const QStringList& buttons) override {
        choices.push_back({text, buttons});
        if (realPrompts && isRealBoxAwaited(text)) {
            return app::QtPlatformServices().choose(owner, text, buttons);
        }
        if (realPrompts) {
            return static_cast<int>(buttons.size()) - 1;
        }
        if (choiceAnswers.empty()) {
            unexpected.append(QStringLiteral("question without an answer: ") + text);
            return static_cast<int>(buttons.size()) - 1;
        }
        const int answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return answer;
    }
    struct Choice {
        QString text;
        QStringList buttons;
    };
    std::vector<Choice> choices;
    std::deque<int> choiceAnswers;

    QString chooseSaveFile(QWidget*, const QString& folder, const QString& proposedName,
                           const QString& filter) override {
        saveDialogs.push_back({folder, proposedName, filter});
        return next(savePaths, QStringLiteral("Save dialog"));
    }

    std::string chooseOpenFile(QWidget* owner, const QString& folder,
                               const QStringList& filters) override {
        openDialogs.push_back({folder, filters});
        if (realOpenDialog) {
            return app::QtPlatformServices().chooseOpenFile(owner, folder, filters);
        }
        return QFile::encodeName(next(openPaths, QStringLiteral("Open dialog"))).toStdString();
    }

    const record::Clock& clock() const override { return m_clock; }
    FixedClock& fixedClock() { return m_clock; }
    QString executableFolder() const override { return executable; }
    QString documentsFolder() const override { return documents; }
    std::unique_ptr<QSettings> settings() const override {
        return std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
    }
    // The machine's print service from its module, as the program loads it (in the print tests,
    // one of their own), or a fake put here; a silent one is given up after 2 s.
    std::shared_ptr<print::PrintService> printService() const override { return printer; }
    std::shared_ptr<print::PrintService> printer = app::loadPrintService(std::chrono::seconds(2));

    QStringList notices;
    std::vector<Prompt> prompts;
    std::deque<Answer> answers;
    bool realPrompts = false; // prompts as the program shows them, answered through the box
    std::vector<SaveDialog> saveDialogs;
    std::deque<QString> savePaths; // an empty path cancels the dialog
    std::vector<OpenDialog> openDialogs;
    std::deque<QString> openPaths;
    bool realOpenDialog = false; // the program's Open dialog, driven by the test
    // The print dialog: prints into the next scripted PDF file, or to the printer of the print
    // service named after "printer:", in `printCopies` copies; an empty path cancels. What the
    // test does while the dialog is open (after the printer is chosen) is `whilePrintDialogOpen`.
    bool choosePrinter(QPrinter& printer, QWidget* owner) override {
        if (realPrintDialog) {
            printDialogs += 1;
            return app::showPrintDialog(printer, owner, *this);
        }
        const QString path = next(printPaths, QStringLiteral("print dialog"));
        printDialogs += 1;
        if (path.isEmpty()) {
            return false;
        }
        if (path.startsWith(QStringLiteral("printer:"))) {
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(path.mid(8));
            printer.setCopyCount(printCopies);
            if (whilePrintDialogOpen) {
                whilePrintDialogOpen();
            }
            return true;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    }
    // The print service's question for a password: the next scripted one (an empty one declines),
    // after `whilePasswordAsked` (a clerk who takes a while).
    std::optional<QString> askPrinterPassword(QWidget*, const QString& printer,
                                              const QString& user) override {
        passwordQuestions.append(printer + QLatin1Char(' ') + user);
        if (whilePasswordAsked) {
            whilePasswordAsked();
        }
        const QString password = next(passwords, QStringLiteral("password question"));
        return password.isEmpty() ? std::nullopt : std::optional(password);
    }
    std::deque<QString> passwords;
    QStringList passwordQuestions;
    std::function<void()> whilePasswordAsked;
    std::deque<QString> printPaths;
    int printCopies = 1;
    bool realPrintDialog = false; // the program's print dialog, driven by the test
    std::function<void()> whilePrintDialogOpen;
    int printDialogs = 0;

    QStringList unexpected; // dialogs that found no scripted answer

    QString executable;
    QString documents;
    QString settingsFile;

private:
    // A real box that no armed act of the test waits for is not shown (it would wait out the
    // test's time limit): it is answered as cancelled and named among the unexpected.
    bool isRealBoxAwaited(const QString& text) {
        if (isModalAwaited(QMessageBox::staticMetaObject)) {
            return true;
        }
        unexpected.append(QStringLiteral("message box that the test does not wait for: ") + text);
        return false;
    }

    QString next(std::deque<QString>& paths, const QString& dialog) {
        if (paths.empty()) {
            unexpected.append(dialog + QStringLiteral(" without an answer"));
            return {};
        }
        QString path = paths.front();
        paths.pop_front();
        return path;
    }

    FixedClock m_clock;
};

} // namespace parvelin::test
