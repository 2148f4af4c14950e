#pragma once

#include "print/PageCanvas.h"

#include <QFont>
#include <QPainter>

namespace parvelin::print {

// The form page on any QPainter device: printers, PDF writers, images and the print preview.
// Page units (1/600 inch) are scaled to the device's resolution; font heights follow its vertical
// resolution, p points being p × dpi / 72 device pixels.
class QPainterCanvas final : public PageCanvas {
public:
    // `painter` is active on its device with its origin at the top left of the printable area.
    QPainterCanvas(QPainter& painter, int dpiX, int dpiY);

    void selectFont(const FontSpec& font) override;
    void drawLine(Point from, Point to) override;
    void drawRectangle(const Box& box) override;
    void drawText(record::GbkStringView text, const Box& box, TextFormat format) override;
    bool drawPicture(const GreyPicture& picture, const Box& box) override;

    // The installed family that stands for a face of the form.
    static QString familyOf(Face face);
    // The font the canvas makes for a font style at a vertical resolution.
    static QFont fontFor(const FontSpec& style, int dpiY);

private:
    int deviceX(int x) const;
    int deviceY(int y) const;
    QRect deviceBox(const Box& box) const;
    void drawEditWrapped(const QString& text, const QRect& box);

    QPainter& m_painter;
    int m_dpiX;
    int m_dpiY;
};

} // namespace parvelin::print
