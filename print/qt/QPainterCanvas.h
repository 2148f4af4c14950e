#pragma once

#include "print/PageCanvas.h"
#include "print/qt/FormFonts.h"
#include "print/qt/PdfTextMap.h"

#include <QPainter>

namespace parvelin::print {

// The form page on any QPainter device: printers, PDF writers, images and the print preview.
// The page is drawn in page units (1/600 inch) through the painter's transform, which scales them
// to the device: positions and font sizes are never rounded to a device's pixels, so the page is
// the same at every resolution. Rules are 1/600 inch wide; the barcode's modules alone are fitted
// to the device's pixels, so that its bars stay sharp.
class QPainterCanvas final : public PageCanvas {
public:
    // `painter` is active on its device with its origin at the top left of the printable area and
    // dpiX by dpiY device units per inch. The canvas keeps the painter's state while it lives.
    QPainterCanvas(QPainter& painter, int dpiX, int dpiY);
    ~QPainterCanvas() override;
    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    void selectFont(const FontSpec& font) override;
    void drawLine(Point from, Point to) override;
    void drawRectangle(const Box& box) override;
    bool drawText(record::GbkStringView text, const Box& box, TextFormat format) override;
    void markCutBox(const Box& box) override;
    bool drawPicture(const GreyPicture& picture, const Box& box) override;

    // The characters drawn so far and the faces of the fonts selected.
    const DrawnText& drawnText() const { return m_drawn; }

private:
    QPainter& m_painter;
    FormFont m_font;
    std::vector<FontSpec> m_selected;
    DrawnText m_drawn;
};

} // namespace parvelin::print
