#include "app/QtPlatformServices.h"

#include "app/PrintHandOver.h"
#include "app/PrintServiceModule.h"
#ifdef _WIN32
#include "print/SpoolerPrintService.h"
#endif
#include "disk/PathNames.h"
#include "form/DialogTemplates.h"
#include "form/FormTexts.h"
#include "form/SaveLocation.h"
#include "widgets/OpenFileDialog.h"
#include "widgets/QtText.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>

namespace parvelin::app {

namespace {

void showMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, widgets::qText(form::kChineseName), text, QMessageBox::Ok, owner);
    box.exec();
}

// A question is answered by a click or by Alt with a button's underlined letter. QMessageBox
// would take the bare letter too ("否(&N)" answers "n"), and a question can come up while the
// clerk types on: the pinyin of the next word would answer it, and 否 lets the entries go.
class QuestionBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (isBareMnemonic(*event)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

private:
    bool isBareMnemonic(const QKeyEvent& event) const {
        if ((event.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) !=
            Qt::NoModifier) {
            return false;
        }
        const QList<QAbstractButton*> answers = buttons();
        return std::ranges::any_of(answers, [&event](const QAbstractButton* button) {
            const QKeySequence mnemonic = button->shortcut();
            return !mnemonic.isEmpty() && mnemonic[0].key() == event.key();
        });
    }
};

} // namespace

void QtPlatformServices::showNotice(QWidget* owner, const QString& text) {
    showMessage(owner, text, QMessageBox::Warning);
}

void QtPlatformServices::showInformation(QWidget* owner, const QString& text) {
    showMessage(owner, text, QMessageBox::Information);
}

QtPlatformServices::Answer QtPlatformServices::ask(QWidget* owner, const QString& text,
                                                   Buttons buttons) {
    const bool withCancel = buttons == Buttons::YesNoCancel;
    QMessageBox::StandardButtons shown = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) {
        shown |= QMessageBox::Cancel;
    }
    QuestionBox box(QMessageBox::Question, widgets::qText(form::message::kPromptCaption), text,
                    shown, owner);
    box.setDefaultButton(QMessageBox::Yes);
    // Qt makes No the Esc button of a Yes/No box, which would throw the entries away. A hidden
    // Cancel button takes Esc and the close button instead.
    if (!withCancel) {
        box.addButton(QMessageBox::Cancel)->hide();
    }
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

int QtPlatformServices::choose(QWidget* owner, const QString& text, const QStringList& buttons) {
    QuestionBox box(QMessageBox::Question, widgets::qText(form::message::kPromptCaption), text,
                    QMessageBox::NoButton, owner);
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        const bool last = i + 1 == buttons.size();
        added.append(box.addButton(buttons[i], last     ? QMessageBox::RejectRole
                                               : i == 0 ? QMessageBox::AcceptRole
                                                        : QMessageBox::ActionRole));
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(added.constFirst()));
    box.setEscapeButton(added.constLast());
    box.exec();
    const int pressed = static_cast<int>(added.indexOf(box.clickedButton()));
    return pressed >= 0 ? pressed : static_cast<int>(added.size()) - 1;
}

namespace {

// Qt adds the default suffix only to a name without a dot, so "王.." would be saved as it stands
// and Open's filter would hide it. A name that is a data file's already ("a.ZBDW" too, as every
// listing takes it) keeps its own suffix. The suffix is added before the dialog asks about
// replacing an existing file, so that the question is about the file that will be written.
class SuffixedSaveDialog final : public QFileDialog {
public:
    SuffixedSaveDialog(QWidget* owner, const QString& folder, const QString& filter)
        : QFileDialog(owner, QString(), folder, filter) {}

    void accept() override {
        const QStringList chosen = selectedFiles();
        if (chosen.size() == 1 && !QFileInfo(chosen.constFirst()).isDir()) {
            const QString name = QFileInfo(chosen.constFirst()).fileName();
            if (!applicants::isDataFileName(QFile::encodeName(name).toStdString())) {
                selectFile(name + widgets::qText(applicants::kDataFileSuffix));
            }
        }
        QFileDialog::accept();
    }
};

} // namespace

QString QtPlatformServices::chooseSaveFile(QWidget* owner, const QString& folder,
                                           const QString& proposedName, const QString& filter) {
    SuffixedSaveDialog dialog(owner, folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(
        widgets::qText(applicants::kDataFileSuffix.substr(1))); // without its dot
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

std::string QtPlatformServices::chooseOpenFile(QWidget* owner, const QString& folder,
                                               const QStringList& filters) {
    widgets::OpenFileDialog dialog(owner, QFile::encodeName(folder).toStdString(), filters);
    return dialog.exec() == QDialog::Accepted ? dialog.chosenFile() : std::string();
}

QString QtPlatformServices::executableFolder() const {
    return QCoreApplication::applicationDirPath();
}

QString QtPlatformServices::documentsFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

std::unique_ptr<QSettings> QtPlatformServices::settings() const {
    return std::make_unique<QSettings>(widgets::qText(form::kSettingsOrganisation),
                                       widgets::qText(form::kSettingsApplication));
}

std::shared_ptr<print::PrintService> QtPlatformServices::printService() const {
    if (!m_printService) {
#ifdef _WIN32
        // Windows' spooler, which Qt's printer reaches itself: no module to load.
        m_printService = print::spoolerPrintService();
#else
        m_printService = loadPrintService();
#endif
    }
    return m_printService;
}

namespace {

// Qt's print dialog asks the print service about the chosen printer on the window's thread when
// 打印 is pressed, and a service fallen silent since the dialog opened would hold the window for
// minutes: the service is asked first, on a thread of its own. One that does not answer is said,
// and the dialog stays open (a PDF file can still be chosen).
class PrintDialog final : public QPrintDialog {
public:
    PrintDialog(QPrinter* printer, QWidget* parent, widgets::PlatformServices& services)
        : QPrintDialog(printer, parent)
        , m_services(services) {}

    void accept() override {
        // The output file's box, which Qt names so, is open only where a PDF file is chosen.
        const auto* file = findChild<QLineEdit*>(QStringLiteral("filename"));
        const bool toPrinter = file == nullptr || !file->isEnabled();
        if (toPrinter && !printServiceAnswers(m_services, this)) {
            return;
        }
        QPrintDialog::accept();
    }

private:
    widgets::PlatformServices& m_services;
};

} // namespace

bool showPrintDialog(QPrinter& printer, QWidget* parent, widgets::PlatformServices& services) {
    PrintDialog dialog(&printer, parent, services);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtPlatformServices::askPrinterPassword(QWidget* owner,
                                                              const QString& printer,
                                                              const QString& user) {
    bool given = false;
    const QString password = QInputDialog::getText(
        owner, widgets::qText(form::message::kPromptCaption),
        QStringLiteral("打印机“%1”要求输入用户 %2 的密码：").arg(printer, user),
        QLineEdit::Password, QString(), &given);
    return given ? std::optional(password) : std::nullopt;
}

bool QtPlatformServices::choosePrinter(QPrinter& printer, QWidget* parent) {
    return showPrintDialog(printer, parent, *this);
}

} // namespace parvelin::app
