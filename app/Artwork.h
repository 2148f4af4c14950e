#pragma once

#include <QIcon>
#include <QPixmap>

namespace parvelin::app::artwork {

// The program's own artwork, drawn when it is wanted from the vectors of ArtworkDrawing.h: no
// picture is decoded on the way to the first window.

// The icon of the program's windows, 64 x 64 as the desktops ask for it.
QIcon programIcon();

// The icon `pixels` wide and high in logical pixels, at `pixelRatio`.
QPixmap iconPixmap(int pixels, qreal pixelRatio);

// The warning sign beside the personal sequence number, 16 x 16, at `pixelRatio`.
QPixmap warningSign(qreal pixelRatio);

} // namespace parvelin::app::artwork
