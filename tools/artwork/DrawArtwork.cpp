// Draws the program's artwork into resources/: the banner across the top of the main form
// (855 x 146, 24 bits per pixel), the icon in the sizes of the desktops' hicolor theme (64 x 64
// is also the one the program shows) and the warning sign beside the personal sequence number
// (16 x 16, a red disc with an exclamation mark). The scalable icon,
// icons/hicolor/scalable/apps/parvelin.svg, is the same drawing by hand: change both together.
// Run once after a change, with the resources folder as argument, and commit the pictures:
//   cmake --build build --target draw-artwork
//   QT_QPA_PLATFORM=offscreen build/tools/artwork/draw-artwork resources

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
const QColor kGold(214, 178, 92);

// The icon is designed on a 64-pixel grid and scaled for the other sizes.
constexpr double kIconGrid = 64;
constexpr std::array kIconSizes = {48, 64, 128, 256};

// A closed passport booklet seen from the front: cover, emblem ring, title bar.
void drawBooklet(QPainter& painter, const QRectF& cover) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 22, 30));
    painter.drawRoundedRect(cover, cover.width() * 0.08, cover.width() * 0.08);
    painter.setBrush(Qt::NoBrush);
    QPen gold(kGold);
    gold.setWidthF(cover.width() * 0.05);
    painter.setPen(gold);
    const QPointF centre(cover.center().x(), cover.top() + cover.height() * 0.45);
    const double radius = cover.width() * 0.24;
    painter.drawEllipse(centre, radius, radius);
    painter.drawLine(
        QPointF(cover.left() + cover.width() * 0.25, cover.top() + cover.height() * 0.8),
        QPointF(cover.right() - cover.width() * 0.25, cover.top() + cover.height() * 0.8));
}

QImage banner() {
    QImage image(855, 146, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 855, 146);
    sky.setColorAt(0, kNavy);
    sky.setColorAt(1, kTeal);
    painter.fillRect(image.rect(), sky);
    // Faint guilloche-like arcs, as on security paper.
    painter.setPen(QPen(QColor(255, 255, 255, 28), 1.2));
    for (int i = 0; i < 14; ++i) {
        painter.drawEllipse(QPointF(700, 210), 120.0 + i * 16, 120.0 + i * 9);
    }
    drawBooklet(painter, QRectF(36, 22, 74, 102));
    painter.setPen(Qt::white);
    QFont title(QStringLiteral("WenQuanYi Zen Hei"));
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRectF(140, 24, 680, 54), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("因公护照申请表"));
    QFont subtitle(QStringLiteral("WenQuanYi Zen Hei"));
    subtitle.setPixelSize(18);
    painter.setFont(subtitle);
    painter.setPen(QColor(225, 235, 245));
    painter.drawText(QRectF(142, 84, 680, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Parvelin  ·  申请人信息录入与打印"));
    painter.setPen(QPen(kGold, 2));
    painter.drawLine(QPointF(142, 122), QPointF(520, 122));
    return image;
}

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
    drawBooklet(painter, QRectF(17, 9, 30, 44));
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
    bool saved = banner().save(folder + QStringLiteral("/banner.png")) &&
                 warningSign().save(folder + QStringLiteral("/warning.png"));
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
