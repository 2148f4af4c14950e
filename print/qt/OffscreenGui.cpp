#include "print/qt/OffscreenGui.h"

#include "print/qt/BundledFonts.h"

namespace parvelin::print {

std::unique_ptr<QGuiApplication> startOffscreenGui() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // QGuiApplication keeps references to its arguments for its whole life.
    static int argc = 1;
    static char name[] = "parvelin";
    static char* argv[] = {name, nullptr};
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    addBundledFonts();
    return application;
}

} // namespace parvelin::print
