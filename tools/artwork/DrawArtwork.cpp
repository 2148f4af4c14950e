// Draws the desktop's copies of the program's icon into resources/icons, in the sizes of the
// hicolor theme, from the vectors the program draws its own artwork with. The scalable icon,
// icons/hicolor/scalable/apps/parvelin.svg, is the same drawing by hand: change both together.
// Run once after a change, with the resources folder as argument, and commit the pictures:
//   cmake --build build --target draw-artwork
//   QT_QPA_PLATFORM=offscreen build/tools/artwork/draw-artwork resources

#include "app/ArtworkDrawing.h"

#include <array>
#include <cstdio>

#include <QDir>
#include <QGuiApplication>

namespace {

constexpr std::array kIconSizes = {48, 64, 128, 256};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-artwork RESOURCES-FOLDER\n");
        return 64;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool saved = true;
    for (const int size : kIconSizes) {
        const QString apps = folder + QStringLiteral("/icons/hicolor/%1x%1/apps").arg(size);
        saved =
            saved && QDir().mkpath(apps) &&
            parvelin::app::artwork::iconImage(size).save(apps + QStringLiteral("/parvelin.png"));
    }
    if (!saved) {
        std::fprintf(stderr, "draw-artwork: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
