#pragma once

#include <vector>

#include <QByteArray>
#include <QRawFont>
#include <QString>

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

} // namespace parvelin::print
