#pragma once

#include <QRectF>
#include <QSize>

class QPainter;

namespace parvelin::app::artwork {

// The drawings behind the program's artwork, in vectors: the banner is drawn at run time at the
// screen's pixel ratio, so it stays sharp at 150 % and 200 %; tools/artwork draws the icon's
// pictures from the same booklet.

// The banner's design size; it is scaled to the width it is shown at.
inline constexpr QSize kBannerDesign{855, 146};

// A closed passport booklet seen from the front: cover, emblem ring, title bar.
void drawBooklet(QPainter& painter, const QRectF& cover);

// The banner across the top of the main form, over `size` logical pixels.
void drawBanner(QPainter& painter, const QSizeF& size);

} // namespace parvelin::app::artwork
