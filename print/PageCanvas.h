#pragma once

#include "record/GbkText.h"

#include <cstdint>
#include <span>

namespace parvelin::print {

inline constexpr int kPageUnitsPerInch = 600;

// Positions on the page in page units of 1/600 inch, origin at the top left of the printable area,
// y growing downwards. A canvas scales them to its device, so the form keeps its designed size on
// every printer, PDF and image.
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Box&) const = default;
};

// The two faces of the form: a bold sans face for the title and labels, a Song face for notes and
// values. The canvas picks installed faces that hold the Chinese glyphs.
enum class Face { Heiti, Songti };

struct FontSpec {
    Face face = Face::Songti;
    int points = 12;
    int weight = 400; // 400 regular, 700 bold
    bool operator==(const FontSpec&) const = default;
};

// How a text is placed in its box. Every format clips at the box: single lines are cut at its
// right edge, wrapped text shows only the lines that fit whole above its bottom edge (the value
// cells reach a few units past the rule under them).
enum class TextFormat {
    Line,        // one line, left and top aligned; the box reaches to the page's edges
    LineCentred, // one line, centred horizontally, top aligned
    Wrap,        // wrapped at word boundaries, left and top aligned
    WrapCentred, // wrapped and centred
    WrapEdit,    // wrapped as an edit box wraps: a word wider than the box breaks
    Centred,     // centred horizontally, no wrapping
};

// A picture of one byte per pixel (0 black, 255 white), rows top to bottom.
struct GreyPicture {
    int width = 0;
    int height = 0;
    std::span<const std::uint8_t> pixels;
};

// The drawing surface of the form page. The core draws through it; the Qt layer implements it with
// QPainter for printers, PDF, images and the preview, and tests record what is drawn.
class PageCanvas {
public:
    virtual ~PageCanvas() = default;

    // Selects the font for the texts that follow: p points are a cell p/72 inch high, and wrapped
    // lines follow each other at that height.
    virtual void selectFont(const FontSpec& font) = 0;
    // A rule one page unit (1/600 inch) wide, in black.
    virtual void drawLine(Point from, Point to) = 0;
    // A rectangle outlined in black and filled white.
    virtual void drawRectangle(const Box& box) = 0;
    // Black text on white: each line covers what lies under its own extent (one cell high, from
    // its first character to its last), the rest of the box stays as it was. True when the whole
    // text is shown; false when the box cuts some of it off.
    virtual bool drawText(record::GbkStringView text, const Box& box, TextFormat format) = 0;
    // Marks a box whose value the page cannot show whole, for the clerk's eyes on the screen; a
    // canvas for paper or files draws nothing.
    virtual void markCutBox(const Box& box) = 0;
    // The picture stretched to fill the box in both directions, without smoothing: every pixel
    // stays a sharp-edged cell. False when the picture cannot be drawn.
    [[nodiscard]] virtual bool drawPicture(const GreyPicture& picture, const Box& box) = 0;
};

} // namespace parvelin::print
