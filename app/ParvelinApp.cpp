#include "app/ParvelinApp.h"

#include "app/Artwork.h"
#include "app/MainForm.h"
#include "app/QtPlatformServices.h"
#include "input/EmbeddedPinyinTable.h"

namespace parvelin::app {

ParvelinApp::ParvelinApp(int& argc, char** argv)
    : QApplication(argc, argv) {
    initArtwork();
    setWindowIcon(QIcon(artwork::kIcon));
}

int ParvelinApp::run() {
    // The table comes with the program; a table that yields no lines leaves the pinyin empty.
    m_pinyinTable.load(input::embeddedPinyinTable());
    QtPlatformServices services;
    MainForm form(m_pinyinTable, services);
    // Not exec(): the print preview hides the form while it runs, which would end a modal run.
    // The program ends when the form closes, its last window.
    form.show();
    return exec();
}

} // namespace parvelin::app
