#pragma once

#include "print/PageCanvas.h"

#include <QFont>
#include <QStringList>

class QPaintDevice;

namespace parvelin::print {

// The installed families that stand for a face of the form, best first, for its Chinese
// characters and full-width punctuation. Noto Sans CJK SC and Noto Serif CJK SC set Simplified
// Chinese as the form expects: the full-width colon, comma and enumeration comma sit at the left
// of their cell, where "单位名称：" leaves room for the value after it, and they hold every
// character of GBK. WenQuanYi Zen Hei and AR PL UMing CN stand in where Noto is missing.
QStringList familiesOf(Face face);

// The families for the single-byte characters (Latin letters, digits, spaces), best first. The
// form's cells are measured for the GBK faces, whose single-byte characters are half a cell
// wide: a surname pinyin of 9 letters fits its 470-unit cell, "职    务" is as wide as
// "工作单位". AR PL UMing CN keeps that width with Latin letters in the style of a Song face (Noto
// Sans Mono CJK SC stands in); the proportional Latin of the Noto faces is up to half as wide
// again.
QStringList halfWidthFamiliesOf(Face face);

// Text is set in thirds of a page unit: font engines take whole pixel sizes, and p points are
// p × 600 / 72 page units but exactly 25 × p thirds.
inline constexpr int kTextUnitsPerPageUnit = 3;

// A paint device of 1800 dots per inch that is never painted on: fonts and text layouts resolved
// against it measure in text units, whatever device the page is drawn on later.
const QPaintDevice& textUnitDevice();

// A font of the form. The face's em is the font's cell height, p × 600 / 72 page units for
// p points (100 units at 12 points), and lines of wrapped text advance by it: the form's widths
// count one em per Chinese character. The face's own ascent and descent are fitted into the cell
// in their proportion, which places the baseline.
//
// Bold (the title) is the regular cut emboldened by stroking its outlines, as a face without a
// bold cut is emboldened: the page then embeds one font less in every PDF (each costs a PDF
// writer some milliseconds), and the title keeps the one face of the labels.
struct FormFont {
    QFont font;          // Chinese; resolved against textUnitDevice()
    QFont halfWidthFont; // single-byte characters, the same size
    double cellHeight;   // page units
    double baseline;     // from the top of the cell, page units
    double emboldening;  // width of the stroke around the outlines, page units; 0 for regular
};

FormFont formFont(const FontSpec& style);

} // namespace parvelin::print
