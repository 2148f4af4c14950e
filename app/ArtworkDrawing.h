#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

namespace parvelin::app::artwork {

// The drawings behind the program's artwork, in vectors. The program draws them at run time at
// the screen's pixel ratio, so they stay sharp at 150 % and 200 %; tools/artwork draws the
// desktop's copies of the icon from the same vectors.

// The banner's design size; it is scaled to the width it is shown at.
inline constexpr QSize kBannerDesign{855, 146};

// A closed passport booklet seen from the front: cover, emblem ring, title bar.
void drawBooklet(QPainter& painter, const QRectF& cover);

// The banner across the top of the main form, over `size` logical pixels.
void drawBanner(QPainter& painter, const QSizeF& size);

// The program's icon, `pixels` wide and high: the booklet on a rounded navy-to-teal ground.
QImage iconImage(int pixels);

// The warning sign beside the personal sequence number: a red disc with an exclamation mark,
// 16 x 16 logical pixels at `pixelRatio` device pixels each.
QImage warningSignImage(qreal pixelRatio);

} // namespace parvelin::app::artwork
