#pragma once

#include "print/PrintService.h"
#include "widgets/PlatformServices.h"

namespace parvelin::app {

// The platform services of the running program: real message boxes, file and print dialogs, the
// machine's print service, the system clock, the program's and the user's folders, and the user's
// settings. The file dialogs are Qt's own, not the desktop's, so that they speak Qt's Chinese
// translation.
class QtPlatformServices final : public widgets::PlatformServices {
public:
    void showNotice(QWidget* owner, const QString& text) override;
    void showInformation(QWidget* owner, const QString& text) override;
    Answer ask(QWidget* owner, const QString& text, Buttons buttons) override;
    int choose(QWidget* owner, const QString& text, const QStringList& buttons) override;
    QString chooseSaveFile(QWidget* owner, const QString& folder, const QString& proposedName,
                           const QString& filter) override;
    std::string chooseOpenFile(QWidget* owner, const QString& folder,
                               const QStringList& filters) override;
    const record::Clock& clock() const override { return m_clock; }
    QString executableFolder() const override;
    QString documentsFolder() const override;
    std::unique_ptr<QSettings> settings() const override;
    bool choosePrinter(QPrinter& printer, QWidget* parent) override;
    std::optional<QString> askPrinterPassword(QWidget* owner, const QString& printer,
                                              const QString& user) override;
    // Loaded when first asked for, not on the way to the first window.
    std::shared_ptr<print::PrintService> printService() const override;

private:
    record::SystemClock m_clock;
    mutable std::shared_ptr<print::PrintService> m_printService;
};

// Qt's print dialog, which asks `services`' print service whether it answers before it takes a
// printer (and tells of one that does not through `services`).
bool showPrintDialog(QPrinter& printer, QWidget* parent, widgets::PlatformServices& services);

} // namespace parvelin::app
