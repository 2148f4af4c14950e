#include "app/ArtworkDrawing.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>

namespace parvelin::app::artwork {

namespace {

const QColor kNavy(14, 43, 92);
const QColor kTeal(22, 110, 130);
const QColor kGold(214, 178, 92);

// The icon is designed on a 64-pixel grid and scaled for the other sizes.
constexpr double kIconGrid = 64;
constexpr int kWarningSignSize = 16;

} // namespace

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

void drawBanner(QPainter& painter, const QSizeF& size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Designed at 855 x 146; the width decides, the height follows it.
    const double scale = size.width() / kBannerDesign.width();
    painter.scale(scale, scale);
    const QRectF design(QPointF(0, 0), QSizeF(kBannerDesign));
    QLinearGradient sky(design.topLeft(), design.bottomRight());
    sky.setColorAt(0, kNavy);
    sky.setColorAt(1, kTeal);
    painter.fillRect(design, sky);
    // Faint guilloche-like arcs, as on security paper.
    painter.setClipRect(design);
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
    painter.restore();
}

QImage iconImage(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / kIconGrid, pixels / kIconGrid);
    QLinearGradient ground(0, 0, kIconGrid, kIconGrid);
    ground.setColorAt(0, kNavy);
    ground.setColorAt(1, kTeal);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ground);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    drawBooklet(painter, QRectF(17, 9, 30, 44));
    return image;
}

QImage warningSignImage(qreal pixelRatio) {
    const int pixels = qRound(kWarningSignSize * pixelRatio);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
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

} // namespace parvelin::app::artwork
