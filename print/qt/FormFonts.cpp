#include "print/qt/FormFonts.h"

#include <cmath>

#include <QFontMetricsF>
#include <QImage>

namespace parvelin::print {

namespace {

constexpr double kPointsPerInch = 72;
constexpr double kInchesPerMetre = 1 / 0.0254;
constexpr int kBold = 700;
// The stroke that emboldens a regular cut: its stems grow by about the difference between the
// regular and the bold cut of Noto Sans CJK SC.
constexpr double kEmboldeningPerEm = 0.045;

QFont pageFont(const QStringList& families, const FontSpec& style) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(style.points);
    font.setWeight(QFont::Normal);
    // Outlines and advances as designed, not fitted to any pixel grid: the page is set once.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return QFont(font, &textUnitDevice());
}

} // namespace

QStringList familiesOf(Face face) {
    if (face == Face::Heiti) {
        return {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")};
    }
    return {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
            QStringLiteral("Noto Sans CJK SC")};
}

QStringList halfWidthFamiliesOf(Face face) {
    // One face for both: the labels' only single-byte characters are spaces, and every face more
    // is one more font embedded in each PDF. Without them the face's own Latin is the last resort.
    return QStringList{QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans Mono CJK SC")} +
           familiesOf(face);
}

const QPaintDevice& textUnitDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = static_cast<int>(
            std::lround(kPageUnitsPerInch * kTextUnitsPerPageUnit * kInchesPerMetre));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

FormFont formFont(const FontSpec& style) {
    const QFont font = pageFont(familiesOf(style.face), style);
    const QFontMetricsF metrics(font, &textUnitDevice());
    const double cellHeight = style.points * kPageUnitsPerInch / kPointsPerInch;
    const double lineBox = metrics.ascent() + metrics.descent();
    const double baseline = lineBox > 0 ? cellHeight * metrics.ascent() / lineBox : cellHeight;
    const double emboldening = style.weight >= kBold ? kEmboldeningPerEm * cellHeight : 0;
    return {font, pageFont(halfWidthFamiliesOf(style.face), style), cellHeight, baseline,
            emboldening};
}

} // namespace parvelin::print
