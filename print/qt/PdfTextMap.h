#pragma once

#include "print/PrintJob.h"

#include <functional>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QRawFont>
#include <QString>

class QPainter;

namespace parvelin::print {

// What pages drew: their characters and the faces they were set in.
struct DrawnText {
    QString characters;
    std::vector<QRawFont> faces;

    void add(const DrawnText& other);
};

// Qt's PDF writer tells readers which character each embedded glyph stands for (the font's
// ToUnicode map) by asking the face for the lowest code point that maps to the glyph. CJK faces
// such as Noto give one glyph to several code points: 人 U+4EBA and the radical ⼈ U+2F08, 户
// U+6237 and the radical ⼾ U+2F3E. The map would then say ⼈ for 人: the page would read
// "⼈员序号" to a search, a copy or pdftotext. These functions point every such entry at the
// character that was drawn with the glyph instead. Every entry keeps its length, so the file's
// cross-reference offsets stay right.

// Rewrites the ToUnicode maps of a PDF held in memory; returns the number of entries changed.
int restoreDrawnCharacters(QByteArray& pdf, const DrawnText& drawn);

// The same for a PDF file, rewritten in place when anything changes. False when the file cannot
// be read or written.
bool restoreDrawnCharactersInFile(const QString& path, const DrawnText& drawn);

// The one owner of a PDF document's drawn text: it draws the form's pages through a painter that
// Qt's PDF writer serves (a QPdfWriter, or a QPrinter writing a PDF file), keeps what each page
// drew, and repairs the document once Qt has written it whole. It relies on these facts of Qt's
// writer: the faces and their ToUnicode maps are written only when the painter ends, as text
// streams that are not compressed; each map entry is written with the same number of hex digits
// for any code point of the Basic Multilingual Plane, so an entry can be changed in place.
class PdfPageDrawing {
public:
    // One page of the job, on a canvas over the painter's device at its resolution.
    barcode::DrawStatus drawPage(QPainter& painter, int dpiX, int dpiY, PrintJob& job,
                                 const std::function<void(std::string_view)>& warn);

    // After the painter has ended: the document in memory, or its file.
    int repair(QByteArray& pdf) const { return restoreDrawnCharacters(pdf, m_drawn); }
    bool repairFile(const QString& path) const {
        return restoreDrawnCharactersInFile(path, m_drawn);
    }

private:
    DrawnText m_drawn;
};

} // namespace parvelin::print
