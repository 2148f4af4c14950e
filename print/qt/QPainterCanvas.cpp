#include "print/qt/QPainterCanvas.h"

#include "print/qt/PageText.h"
#include "record/GbkText.h"

#include <algorithm>
#include <cmath>

#include <QPaintEngine>

namespace parvelin::print {

namespace {

QString toQString(record::GbkStringView text) {
    return QString::fromStdString(record::gbkToUtf8Lossy(text));
}

// Rules are one page unit wide, 1/600 inch (two dots at 1200 dpi), and never thinner than a
// device pixel: a thinner line would be drawn as a grey one, which a printer screens into dots.
double ruleWidth(int dpiX, int dpiY) {
    return std::max(1.0, static_cast<double>(kPageUnitsPerInch) / std::min(dpiX, dpiY));
}

} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, int dpiX, int dpiY)
    : m_painter(painter)
    , m_font(formFont(FontSpec{})) {
    m_painter.save();
    m_painter.scale(static_cast<double>(dpiX) / kPageUnitsPerInch,
                    static_cast<double>(dpiY) / kPageUnitsPerInch);
    m_painter.setPen(
        QPen(Qt::black, ruleWidth(dpiX, dpiY), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter.setBrush(Qt::white);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

QPainterCanvas::~QPainterCanvas() {
    m_painter.restore();
}

void QPainterCanvas::selectFont(const FontSpec& font) {
    m_font = formFont(font);
    if (std::find(m_selected.begin(), m_selected.end(), font) == m_selected.end()) {
        m_selected.push_back(font);
        m_drawn.faces.push_back(QRawFont::fromFont(m_font.font));
        m_drawn.faces.push_back(QRawFont::fromFont(m_font.halfWidthFont));
    }
}

void QPainterCanvas::drawLine(Point from, Point to) {
    m_painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
}

void QPainterCanvas::drawRectangle(const Box& box) {
    m_painter.drawRect(QRectF(box.left, box.top, box.width(), box.height()));
}

bool QPainterCanvas::drawText(record::GbkStringView text, const Box& box, TextFormat format) {
    if (text.empty()) {
        return true;
    }
    const QString string = toQString(text);
    m_drawn.characters += string;
    const PageText set(string, m_font, box, format);
    set.draw(m_painter);
    return set.showsAll();
}

// Drawn only on the screen's preview (Qt records its pages as pictures): a red frame round the
// box, so that the clerk sees which value the paper will cut.
void QPainterCanvas::markCutBox(const Box& box) {
    if (m_painter.paintEngine() == nullptr ||
        m_painter.paintEngine()->type() != QPaintEngine::Picture) {
        return;
    }
    constexpr int kMarkWidth = 8; // page units: about a third of a millimetre
    m_painter.save();
    m_painter.setPen(QPen(QColor(0xd0, 0x20, 0x20), kMarkWidth, Qt::DashLine));
    m_painter.setBrush(Qt::NoBrush);
    // Inside the box's rules, and left of its text, which starts at the box's left edge.
    m_painter.drawRect(QRectF(box.left, box.top, box.width(), box.height())
                           .adjusted(-kMarkWidth, kMarkWidth, -kMarkWidth, -kMarkWidth));
    m_painter.restore();
}

bool QPainterCanvas::drawPicture(const GreyPicture& picture, const Box& box) {
    if (picture.width <= 0 || picture.height <= 0 || !m_painter.isActive() ||
        picture.pixels.size() < static_cast<std::size_t>(picture.width) * picture.height) {
        return false;
    }
    // Drawn in device units: every module's edges fall on the device's pixel grid, so bars stay
    // sharp in raster output, and every dark run of a pixel row becomes one filled rectangle, so
    // the symbol stays vector shapes in PDF.
    const QRectF area =
        m_painter.deviceTransform().mapRect(QRectF(box.left, box.top, box.width(), box.height()));
    const long left = std::lround(area.left());
    const long top = std::lround(area.top());
    const long width = std::lround(area.right()) - left;
    const long height = std::lround(area.bottom()) - top;
    const auto columnEdge = [&](long x) {
        return static_cast<int>(left + (x * width * 2 + picture.width) / (2 * picture.width));
    };
    const auto rowEdge = [&](long y) {
        return static_cast<int>(top + (y * height * 2 + picture.height) / (2 * picture.height));
    };

    m_painter.save();
    m_painter.resetTransform();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::white);
    m_painter.drawRect(QRect(int(left), int(top), int(width), int(height)));
    m_painter.setBrush(Qt::black);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* row =
            picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
        for (int x = 0; x < picture.width;) {
            if (row[x] >= 128) {
                ++x;
                continue;
            }
            int end = x;
            while (end < picture.width && row[end] < 128) {
                ++end;
            }
            const int x0 = columnEdge(x);
            const int y0 = rowEdge(y);
            m_painter.drawRect(QRect(x0, y0, columnEdge(end) - x0, rowEdge(y + 1) - y0));
            x = end;
        }
    }
    m_painter.restore();
    return true;
}

} // namespace parvelin::print
