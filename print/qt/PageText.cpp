#include "print/qt/PageText.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QTextOption>

namespace parvelin::print {

namespace {

bool isSingleLine(TextFormat format) {
    return format == TextFormat::Line || format == TextFormat::LineCentred;
}

bool isCentred(TextFormat format) {
    return format == TextFormat::LineCentred || format == TextFormat::WrapCentred ||
           format == TextFormat::Centred;
}

QTextOption::WrapMode wrapModeOf(TextFormat format) {
    switch (format) {
    case TextFormat::Wrap:
    case TextFormat::WrapCentred:
        return QTextOption::WordWrap; // a word wider than the box stays whole and is cut
    case TextFormat::WrapEdit:
        return QTextOption::WrapAtWordBoundaryOrAnywhere;
    case TextFormat::Line:
    case TextFormat::LineCentred:
    case TextFormat::Centred:
        break;
    }
    return QTextOption::NoWrap;
}

// Line breaks of the text (CR LF, CR or LF) start new lines, except in the single-line formats,
// which show them as spaces.
QString withLineBreaks(QString text, TextFormat format) {
    const QString lineBreak =
        isSingleLine(format) ? QStringLiteral(" ") : QString(QChar::LineSeparator);
    text.replace(QStringLiteral("\r\n"), lineBreak);
    text.replace(QLatin1Char('\r'), lineBreak);
    text.replace(QLatin1Char('\n'), lineBreak);
    return text;
}

// Runs of single-byte characters are set in the half-width face.
QList<QTextLayout::FormatRange> halfWidthRuns(const QString& text, const QFont& halfWidthFont) {
    QTextCharFormat format;
    format.setFont(halfWidthFont);
    QList<QTextLayout::FormatRange> runs;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i].unicode() >= 0x80) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && text[end].unicode() < 0x80) {
            ++end;
        }
        runs.append({static_cast<int>(i), static_cast<int>(end - i), format});
        i = end;
    }
    return runs;
}

QRectF rectOf(const Box& box) {
    return QRectF(box.left, box.top, box.width(), box.height());
}

} // namespace

PageText::PageText(const QString& text, const FormFont& font, const Box& box, TextFormat format)
    : m_layout(withLineBreaks(text, format), font.font, &textUnitDevice())
    , m_box(box)
    , m_emboldening(font.emboldening) {
    QTextOption option;
    option.setWrapMode(wrapModeOf(format));
    m_layout.setTextOption(option);
    m_layout.setFormats(halfWidthRuns(m_layout.text(), font.halfWidthFont));

    // The layout measures in text units; the lines' extents are kept in page units.
    constexpr double kScale = kTextUnitsPerPageUnit;
    const double width = box.width() * kScale;
    m_layout.beginLayout();
    for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine()) {
        const double top = box.top + font.cellHeight * static_cast<double>(m_lines.size());
        if (!isSingleLine(format) && top + font.cellHeight > box.bottom) {
            m_showsAll = false;
            break; // a line that would be cut off at the box's bottom is left out
        }
        line.setLineWidth(width);
        const double natural = line.naturalTextWidth();
        const double left =
            box.left * kScale + (isCentred(format) && natural < width ? (width - natural) / 2 : 0);
        line.setPosition(QPointF(left, (top + font.baseline) * kScale - line.ascent()));
        QString characters = m_layout.text().mid(line.textStart(), line.textLength());
        while (characters.endsWith(QChar::LineSeparator)) {
            characters.chop(1);
        }
        const QRectF extent(left / kScale, top, natural / kScale, font.cellHeight);
        m_lines.push_back({characters, extent});
        // Clipping costs time in PDF: only where the text may leave its box, across it or below
        // it (descenders reach past the cell).
        m_overflows = m_overflows || extent.left() < box.left || extent.right() > box.right ||
                      top + font.baseline + line.descent() / kScale > box.bottom;
        // Half a page unit of grace: a line that just fills its box is whole.
        m_showsAll = m_showsAll && natural / kScale <= box.width() + 0.5;
        if (isSingleLine(format)) {
            m_showsAll =
                m_showsAll && line.textStart() + line.textLength() >= m_layout.text().size();
            break;
        }
    }
    m_layout.endLayout();
}

// Strokes the outlines of the line's glyphs (the text itself stays text, for PDF readers).
void PageText::embolden(QPainter& painter, const QTextLine& line) const {
    QPainterPath outlines;
    for (const QGlyphRun& run : line.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
            outlines.addPath(run.rawFont().pathForGlyph(glyphs[i]).translated(positions[i]));
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, true); // as the glyphs themselves
    painter.strokePath(outlines, QPen(Qt::black, m_emboldening * kTextUnitsPerPageUnit,
                                      Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void PageText::draw(QPainter& painter) const {
    if (m_lines.empty()) {
        return;
    }
    painter.save();
    if (m_overflows) {
        painter.setClipRect(rectOf(m_box), Qt::IntersectClip);
    }
    // All backgrounds first: a line's white must not blank the descenders of the line above.
    for (const PageTextLine& line : m_lines) {
        painter.fillRect(line.extent, Qt::white);
    }
    painter.setPen(Qt::black);
    painter.scale(1.0 / kTextUnitsPerPageUnit, 1.0 / kTextUnitsPerPageUnit);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const QTextLine line = m_layout.lineAt(static_cast<int>(i));
        line.draw(&painter, QPointF());
        if (m_emboldening > 0) {
            embolden(painter, line);
        }
    }
    painter.restore();
}

} // namespace parvelin::print
