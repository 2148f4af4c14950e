#include "print/qt/PdfTextMap.h"

#include "print/qt/QPainterCanvas.h"

#include <algorithm>
#include <map>

#include <QFile>

namespace parvelin::print {

namespace {

constexpr int kHexDigits = 4; // Qt writes every code of a ToUnicode map as <XXXX>

// For each face, the drawn characters by the glyph that shows them.
class GlyphOwners {
public:
    explicit GlyphOwners(const DrawnText& drawn)
        : m_drawn(drawn)
        , m_owners(drawn.faces.size()) {
        QString unique;
        for (const QChar character : drawn.characters) {
            if (!character.isSurrogate() && !unique.contains(character)) {
                unique += character;
            }
        }
        for (std::size_t face = 0; face < drawn.faces.size(); ++face) {
            const QList<quint32> glyphs = drawn.faces[face].glyphIndexesForString(unique);
            for (qsizetype i = 0; i < glyphs.size() && i < unique.size(); ++i) {
                if (glyphs[i] != 0) {
                    m_owners[face].emplace(glyphs[i], unique[i].unicode());
                }
            }
        }
    }

    // The drawn character that shares its glyph with `code`; 0 when `code` was drawn itself or
    // shares no glyph with a drawn character.
    char16_t ownerOf(char16_t code) const {
        if (m_drawn.characters.contains(QChar(code))) {
            return 0;
        }
        for (std::size_t face = 0; face < m_owners.size(); ++face) {
            const quint32 glyph = glyphOf(face, code);
            const auto owner = m_owners[face].find(glyph);
            if (glyph != 0 && owner != m_owners[face].end()) {
                return owner->second;
            }
        }
        return 0;
    }

private:
    quint32 glyphOf(std::size_t face, char16_t code) const {
        if (QChar::isSurrogate(code)) {
            return 0;
        }
        const QList<quint32> glyphs =
            m_drawn.faces[face].glyphIndexesForString(QString(QChar(code)));
        return glyphs.size() == 1 ? glyphs.front() : 0;
    }

    const DrawnText& m_drawn;
    std::vector<std::map<quint32, char16_t>> m_owners;
};

// The positions of the <XXXX> codes on one line of a map.
struct Code {
    qsizetype at; // of the first hex digit
    char16_t value;
};

std::vector<Code> codesOf(const QByteArray& pdf, qsizetype from, qsizetype to) {
    std::vector<Code> codes;
    for (qsizetype i = pdf.indexOf('<', from); i >= 0 && i + kHexDigits + 1 < to;
         i = pdf.indexOf('<', i + 1)) {
        if (pdf[i + kHexDigits + 1] != '>') {
            continue;
        }
        bool ok = false;
        const unsigned value = pdf.mid(i + 1, kHexDigits).toUInt(&ok, 16);
        if (ok) {
            codes.push_back({i + 1, static_cast<char16_t>(value)});
        }
    }
    return codes;
}

int rewrite(QByteArray& pdf, const Code& code, const GlyphOwners& owners) {
    const char16_t owner = owners.ownerOf(code.value);
    if (owner == 0) {
        return 0;
    }
    const QByteArray hex = QByteArray::number(owner, 16).toUpper().rightJustified(kHexDigits, '0');
    pdf.replace(code.at, kHexDigits, hex);
    return 1;
}

// One line of a bfrange section: "<first> <last> [<code> ...]" gives each glyph its code,
// "<first> <last> <code>" gives first..last consecutive codes. Such a run cannot be rewritten in
// place; Qt writes runs only for ten or more consecutive code points, and they stay as they are.
int rewriteRangeLine(QByteArray& pdf, qsizetype from, qsizetype to, const GlyphOwners& owners) {
    const std::vector<Code> codes = codesOf(pdf, from, to);
    if (codes.size() < 3) {
        return 0;
    }
    const qsizetype list = pdf.indexOf('[', from);
    if ((list < 0 || list >= to) && codes[0].value != codes[1].value) {
        return 0;
    }
    int changed = 0;
    for (std::size_t i = 2; i < codes.size(); ++i) {
        changed += rewrite(pdf, codes[i], owners);
    }
    return changed;
}

// One line of a bfchar section: "<glyph> <code>".
int rewriteCharLine(QByteArray& pdf, qsizetype from, qsizetype to, const GlyphOwners& owners) {
    const std::vector<Code> codes = codesOf(pdf, from, to);
    return codes.size() == 2 ? rewrite(pdf, codes[1], owners) : 0;
}

template <typename RewriteLine>
int rewriteSections(QByteArray& pdf, const QByteArray& begin, const QByteArray& end,
                    RewriteLine rewriteLine) {
    int changed = 0;
    for (qsizetype start = pdf.indexOf(begin); start >= 0; start = pdf.indexOf(begin, start)) {
        const qsizetype stop = pdf.indexOf(end, start);
        if (stop < 0) {
            break;
        }
        for (qsizetype line = pdf.indexOf('\n', start) + 1; line > 0 && line < stop;) {
            const qsizetype next = pdf.indexOf('\n', line);
            const qsizetype lineEnd = next < 0 ? stop : std::min(next, stop);
            changed += rewriteLine(pdf, line, lineEnd);
            line = lineEnd + 1;
        }
        start = stop;
    }
    return changed;
}

} // namespace

void DrawnText::add(const DrawnText& other) {
    characters += other.characters;
    faces.insert(faces.end(), other.faces.begin(), other.faces.end());
}

int restoreDrawnCharacters(QByteArray& pdf, const DrawnText& drawn) {
    const GlyphOwners owners(drawn);
    return rewriteSections(pdf, "beginbfrange", "endbfrange",
                           [&](QByteArray& bytes, qsizetype from, qsizetype to) {
                               return rewriteRangeLine(bytes, from, to, owners);
                           }) +
           rewriteSections(pdf, "beginbfchar", "endbfchar",
                           [&](QByteArray& bytes, qsizetype from, qsizetype to) {
                               return rewriteCharLine(bytes, from, to, owners);
                           });
}

bool restoreDrawnCharactersInFile(const QString& path, const DrawnText& drawn) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return false;
    }
    QByteArray pdf = file.readAll();
    if (restoreDrawnCharacters(pdf, drawn) == 0) {
        return true;
    }
    return file.seek(0) && file.write(pdf) == pdf.size() && file.flush();
}

barcode::DrawStatus PdfPageDrawing::drawPage(QPainter& painter, int dpiX, int dpiY, PrintJob& job,
                                             const std::function<void(std::string_view)>& warn) {
    QPainterCanvas canvas(painter, dpiX, dpiY);
    const barcode::DrawStatus status = drawFormPage(job, canvas, warn);
    m_drawn.add(canvas.drawnText());
    return status;
}

} // namespace parvelin::print
