#pragma once

#include "print/PageCanvas.h"
#include "print/qt/FormFonts.h"

#include <vector>

#include <QRectF>
#include <QString>
#include <QTextLayout>

class QPainter;

namespace parvelin::print {

// One line of a text as it is set on the page: its characters and the rectangle it covers, one
// cell high and as wide as its characters, in page units.
struct PageTextLine {
    QString text;
    QRectF extent;
};

// A text set in its box in page units, once for every device: the lines break at the same
// characters on a 150-dpi image, a PDF and a 1200-dpi printer. Lines follow each other at the
// font's cell height. Every format clips at the box; a wrapped text shows only the lines that fit
// whole, so a long value never runs through the rule under its cell.
class PageText {
public:
    PageText(const QString& text, const FormFont& font, const Box& box, TextFormat format);

    const std::vector<PageTextLine>& lines() const { return m_lines; }

    // Whether every character of the text is in a line that is shown whole: no line left out at
    // the box's bottom, none cut at its sides.
    bool showsAll() const { return m_showsAll; }

    // Draws the text opaque: each line's own extent white, then the glyphs in black, so that it
    // covers what was drawn before it there and leaves the rest of its box as it was.
    void draw(QPainter& painter) const;

private:
    void embolden(QPainter& painter, const QTextLine& line) const;

    QTextLayout m_layout;
    Box m_box;
    std::vector<PageTextLine> m_lines;
    bool m_overflows = false;
    bool m_showsAll = true;
    double m_emboldening;
};

} // namespace parvelin::print
