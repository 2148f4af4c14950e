#include "app/Artwork.h"

#include "app/ArtworkDrawing.h"

namespace parvelin::app::artwork {

namespace {

constexpr int kWindowIconPixels = 64;

} // namespace

QIcon programIcon() {
    return QIcon(QPixmap::fromImage(iconImage(kWindowIconPixels)));
}

QPixmap iconPixmap(int pixels, qreal pixelRatio) {
    QImage image = iconImage(qRound(pixels * pixelRatio));
    image.setDevicePixelRatio(pixelRatio);
    return QPixmap::fromImage(std::move(image));
}

QPixmap warningSign(qreal pixelRatio) {
    return QPixmap::fromImage(warningSignImage(pixelRatio));
}

} // namespace parvelin::app::artwork
