#include "app/ParvelinApp.h"

#include "app/Artwork.h"
#include "app/ChineseLanguage.h"
#include "app/MainForm.h"
#include "app/QtPlatformServices.h"
#include "input/EmbeddedPinyinTable.h"
#include "print/qt/BundledFonts.h"
#include "widgets/Accessibility.h"
#include "widgets/DialogControls.h"

#include <QLibraryInfo>
#include <QTimer>

namespace parvelin::app {

ParvelinApp::ParvelinApp(int& argc, char** argv)
    : QApplication(argc, argv) {
    print::addBundledFonts();
    setWindowIcon(artwork::programIcon());
    useChineseLocale();
    // Message boxes and Qt's dialogs in the forms' faces, not in those the locale would pick.
    setFont(widgets::dialogFont());
    // Before any window: a screen reader asks for a control's interface as soon as it shows.
    widgets::installAccessibility();
}

int ParvelinApp::run() {
    QtPlatformServices services;
    MainForm form(m_pinyinTable, services);
    // Not exec(): the print preview hides the form while it runs, which would end a modal run.
    // The program ends when the form closes, its last window.
    form.show();
    // What the first window does not need waits until it is up. Posted events are delivered
    // before the window's input, so no key finds the table or the translation missing.
    QTimer::singleShot(0, this, [this] { loadWhatTheFormUsesLater(); });
    return exec();
}

void ParvelinApp::loadWhatTheFormUsesLater() {
    // The table comes with the program; a table that yields no lines leaves the pinyin empty.
    m_pinyinTable.load(input::embeddedPinyinTable());
    if (!useChineseTranslation()) {
        qWarning("Qt's Chinese translation qtbase_zh_CN was not found in %s; Qt's own buttons "
                 "and dialogs stay English (Debian package qt6-translations-l10n).",
                 qPrintable(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    }
}

} // namespace parvelin::app
