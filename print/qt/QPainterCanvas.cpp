#include "print/qt/QPainterCanvas.h"

#include "record/MulDiv.h"

#include <cmath>

#include <QTextLayout>

namespace parvelin::print {

namespace {

using record::mulDiv;

QString toQString(record::GbkStringView text) {
    return QString::fromStdString(record::gbkToUtf8Lossy(text));
}

} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, int dpiX, int dpiY)
    : m_painter(painter)
    , m_dpiX(dpiX)
    , m_dpiY(dpiY) {
    m_painter.setPen(QPen(Qt::black, 0)); // one device unit wide at every resolution
    m_painter.setBrush(Qt::white);
    // Texts are drawn on the white sheet without filling their boxes, which reach to the page's
    // edges for single lines and would otherwise blank the rules they cross.
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    selectFont(FontSpec{});
}

QString QPainterCanvas::familyOf(Face face) {
    return face == Face::Heiti ? QStringLiteral("WenQuanYi Zen Hei")
                               : QStringLiteral("AR PL UMing CN");
}

QFont QPainterCanvas::fontFor(const FontSpec& style, int dpiY) {
    QFont font(familyOf(style.face));
    font.setPixelSize(std::max(1, mulDiv(style.points, dpiY, 72)));
    font.setWeight(static_cast<QFont::Weight>(style.weight));
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

int QPainterCanvas::deviceX(int x) const {
    return mulDiv(x, m_dpiX, kPageUnitsPerInch);
}
int QPainterCanvas::deviceY(int y) const {
    return mulDiv(y, m_dpiY, kPageUnitsPerInch);
}

QRect QPainterCanvas::deviceBox(const Box& box) const {
    return QRect(QPoint(deviceX(box.left), deviceY(box.top)),
                 QPoint(deviceX(box.right) - 1, deviceY(box.bottom) - 1));
}

void QPainterCanvas::selectFont(const FontSpec& font) {
    m_painter.setFont(fontFor(font, m_dpiY));
}

void QPainterCanvas::drawLine(Point from, Point to) {
    m_painter.drawLine(deviceX(from.x), deviceY(from.y), deviceX(to.x), deviceY(to.y));
}

void QPainterCanvas::drawRectangle(const Box& box) {
    m_painter.drawRect(QRect(QPoint(deviceX(box.left), deviceY(box.top)),
                             QPoint(deviceX(box.right), deviceY(box.bottom))));
}

void QPainterCanvas::drawText(record::GbkStringView text, const Box& box, TextFormat format) {
    if (text.empty()) {
        return;
    }
    const QString string = toQString(text);
    const QRect rect = deviceBox(box);
    switch (format) {
    case TextFormat::Line:
        m_painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, string);
        break;
    case TextFormat::LineCentred:
        m_painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, string);
        break;
    case TextFormat::Wrap:
        m_painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, string);
        break;
    case TextFormat::WrapCentred:
        m_painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, string);
        break;
    case TextFormat::Centred:
        m_painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop, string);
        break;
    case TextFormat::WrapEdit:
        drawEditWrapped(string, rect);
        break;
    }
}

// Wraps as a multi-line edit box does: at word boundaries, inside a word only when it is wider than
// the box, and shows only the lines that fit whole.
void QPainterCanvas::drawEditWrapped(const QString& text, const QRect& box) {
    QString flat = text;
    flat.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    flat.replace(QChar('\n'), QChar::LineSeparator);
    QTextLayout layout(flat, m_painter.font(), m_painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();

    m_painter.save();
    m_painter.setClipRect(box);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.y() + line.height() > box.height()) {
            break;
        }
        line.draw(&m_painter, box.topLeft());
    }
    m_painter.restore();
}

bool QPainterCanvas::drawPicture(const GreyPicture& picture, const Box& box) {
    if (picture.width <= 0 || picture.height <= 0 || !m_painter.isActive() ||
        picture.pixels.size() < static_cast<std::size_t>(picture.width) * picture.height) {
        return false;
    }
    // Every dark run of a pixel row becomes one filled rectangle whose edges fall on the device
    // grid, so bars stay sharp in raster output and stay vector shapes in PDF.
    const int left = deviceX(box.left);
    const int top = deviceY(box.top);
    const int width = deviceX(box.right) - left;
    const int height = deviceY(box.bottom) - top;
    const auto columnEdge = [&](int x) { return left + mulDiv(x, width, picture.width); };
    const auto rowEdge = [&](int y) { return top + mulDiv(y, height, picture.height); };

    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::white);
    m_painter.drawRect(QRect(left, top, width, height));
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
            m_painter.drawRect(QRect(QPoint(columnEdge(x), rowEdge(y)),
                                     QPoint(columnEdge(end) - 1, rowEdge(y + 1) - 1)));
            x = end;
        }
    }
    m_painter.restore();
    return true;
}

} // namespace parvelin::print
