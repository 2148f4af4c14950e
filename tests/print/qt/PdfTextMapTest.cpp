// The text maps of a PDF point shared glyphs at the characters the page drew with them.

#include "print/qt/PdfTextMap.h"

#include "print/PageGeometry.h"
#include "print/qt/FormFonts.h"

#include <gtest/gtest.h>

namespace parvelin::print {
namespace {

TEST(PdfTextMap, SharedGlyphsNameTheCharactersDrawnWithThem) {
    struct Case {
        const char* section; // "bfrange" or "bfchar"
        const char* drawn;
        const char* before;
        const char* after;
        int changed;
        const char* why;
    };
    const Case cases[] = {
        {"bfrange", "人员民", "<0001> <0003> [<2F08> <5458> <2EA0> ]",
         "<0001> <0003> [<4EBA> <5458> <6C11> ]", 2, "Kangxi and supplement radicals in a list"},
        {"bfrange", "户口", "<0004> <0004> <2F3E>", "<0004> <0004> <6237>", 1,
         "⼾ U+2F3E draws as 户 in these faces, not as 戶, its equivalent in Unicode's tables"},
        {"bfchar", "文", "<0007> <2F42>", "<0007> <6587>", 1, "a single entry"},
        {"bfrange", "口", "<0005> <0005> <2F08>", "<0005> <0005> <2F08>", 0,
         "nothing drawn with that glyph: left as it is"},
        {"bfrange", "人⼈", "<0006> <0006> <2F08>", "<0006> <0006> <2F08>", 0,
         "the radical itself was drawn"},
        {"bfrange", "人", "<0010> <0019> <2F08>", "<0010> <0019> <2F08>", 0,
         "a run of consecutive codes cannot change in place"},
        {"bfrange", "人", "<2F08> <2F08> <0041>", "<2F08> <2F08> <0041>", 0,
         "glyph numbers are not characters"},
    };
    DrawnText drawn;
    for (const FontSpec& style : {layout::kLabelFont, layout::kNoteFont}) {
        drawn.faces.push_back(QRawFont::fromFont(formFont(style).font));
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        drawn.characters = QString::fromUtf8(c.drawn);
        const QByteArray section(c.section);
        const auto pdf = [&](const char* entry) {
            return "stream\n1 begin" + section + "\n<0000> <0000> <0000>\n" + entry + "\nend" +
                   section + "\nendstream\n";
        };
        QByteArray bytes = pdf(c.before);
        EXPECT_EQ(restoreDrawnCharacters(bytes, drawn), c.changed);
        EXPECT_EQ(bytes.toStdString(), pdf(c.after).toStdString());
    }
}

} // namespace
} // namespace parvelin::print
