#include "app/Banner.h"

#include "app/ArtworkDrawing.h"

#include <QPainter>

namespace parvelin::app {

Banner::Banner(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Banner::fitWidth(int width) {
    resize(width, width * artwork::kBannerDesign.height() / artwork::kBannerDesign.width());
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    artwork::drawBanner(painter, size());
}

} // namespace parvelin::app
