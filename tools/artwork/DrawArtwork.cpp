// Draws the program's artwork into resources/: the icon in the sizes of the desktops' hicolor theme
// (64 x 64 is also the one the program shows) and the warning sign beside the personal sequence
// number (16 x 16, a red disc with an exclamation mark). The scalable icon,
// icons/hicolor/scalable/apps/parvelin.svg, is the same drawing by hand: change both together.
// Run once after a change, with the resources folder as argument, and commit the pictures:
//   cmake --build build --target draw-artwork
//   QT_QPA_PLATFORM=offscreen build/tools/artwork/draw-artwork resources

#include "app/ArtworkDrawing.h"

#include <array>
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kNavy(14, 43, 92);
const QColor kTeal(22, 110, 130);

// The icon is designed on a 64-pixel grid and scaled for the other sizes.
constexpr double kIconGrid = 64;
constexpr std::array kIconSizes = {48, 64, 128, 256};

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kIconGrid, size / kIconGrid);
    QLinearGradient ground(0, 0, kIconGrid, kIconGrid);
    ground.setColorAt(0, kNavy);
    ground.setColorAt(1, kTeal);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ground);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    parvelin::app::artwork::drawBooklet(painter, QRectF(17, 9, 30, 44));
    return image;
}

QImage warningSign() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(214, 32, 32));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(6.9, 3, 2.2, 6.6), 1, 1);
    painter.drawEllipse(QRectF(6.8, 10.8, 2.4, 2.4));
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-artwork RESOURCES-FOLDER\n");
        return 64;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool saved = warningSign().save(folder + QStringLiteral("/warning.png"));
    for (const int size : kIconSizes) {
        const QString apps = folder + QStringLiteral("/icons/hicolor/%1x%1/apps").arg(size);
        saved =
            saved && QDir().mkpath(apps) && icon(size).save(apps + QStringLiteral("/parvelin.png"));
    }
    if (!saved) {
        std::fprintf(stderr, "draw-artwork: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
