#include "print/FormPrinter.h"

#include "barcode/BarcodeImage.h"
#include "print/PageGeometry.h"
#include "record/GbkText.h"

namespace parvelin::print {

namespace {

// The fixed texts are written in UTF-8 here and drawn as GBK like every other text of the page.
record::GbkString fixedText(std::string_view utf8) {
    return record::gbk(utf8);
}

void drawFixedTexts(std::span<const layout::FixedText> texts, PageCanvas& canvas) {
    for (const layout::FixedText& text : texts) {
        canvas.drawText(fixedText(text.text), text.box, text.format);
    }
}

void drawValue(const record::GbkString& text, const Box& box, TextFormat format, int fittedWidth,
               PageCanvas& canvas) {
    if (fittedWidth == 0) {
        canvas.drawText(text, box, format);
        return;
    }
    // A long text gets a smaller font for this one cell; the values font is selected again after.
    const bool fits = layout::kUnitsPerFittedByte * static_cast<long>(text.size()) <= fittedWidth;
    canvas.selectFont(fits ? layout::kValueFont : layout::kSmallValueFont);
    canvas.drawText(text, box, format);
    canvas.selectFont(layout::kValueFont);
}

void drawValues(std::span<const layout::ValueCell> layoutCells, const FormSlots& cells,
                PageCanvas& canvas) {
    for (const layout::ValueCell& cell : layoutCells) {
        drawValue(cells.*cell.slot, cell.box, cell.format, cell.fittedWidth, canvas);
    }
}

// The symbol of the payload stretched into its box.
barcode::DrawStatus drawBarcode(std::string_view payload, PageCanvas& canvas) {
    const barcode::BarcodePicture picture = barcode::drawBarcodePicture(record::asBytes(payload));
    if (picture.status != barcode::DrawStatus::Ok) {
        return picture.status;
    }
    const GreyPicture grey{picture.image.width, picture.image.height, picture.image.pixels};
    return canvas.drawPicture(grey, layout::kBarcodeBox) ? barcode::DrawStatus::Ok
                                                         : barcode::DrawStatus::PictureFailed;
}

} // namespace

barcode::DrawStatus FormPrinter::drawPage(const FormSlots& cells, std::string_view payload,
                                          PageCanvas& canvas) const {
    const barcode::DrawStatus barcodeStatus = drawBarcode(payload, canvas);
    if (barcodeStatus != barcode::DrawStatus::Ok) {
        return barcodeStatus;
    }

    canvas.selectFont(layout::kTitleFont);
    canvas.drawText(fixedText(layout::kTitle), layout::kTitleBox, TextFormat::LineCentred);

    canvas.drawRectangle(layout::kTableFrame);
    for (const layout::Rule& rule : layout::kHorizontalRules) {
        canvas.drawLine(rule.from, rule.to);
    }
    for (const layout::Rule& rule : layout::kVerticalRules) {
        canvas.drawLine(rule.from, rule.to);
    }
    for (const layout::Rule& rule : layout::kCornerMarks) {
        canvas.drawLine(rule.from, rule.to);
    }

    canvas.selectFont(layout::kLabelFont);
    drawFixedTexts(layout::kLabels, canvas);

    // The notes font is made afresh before the last note.
    canvas.selectFont(layout::kNoteFont);
    drawFixedTexts(std::span(layout::kNotes).first(layout::kNotes.size() - 1), canvas);
    canvas.selectFont(layout::kNoteFont);
    drawFixedTexts(std::span(layout::kNotes).last(1), canvas);

    canvas.selectFont(layout::kValueFont);
    drawValues(layout::kValuesBeforeHeldPassport, cells, canvas);
    canvas.drawText(cells.heldPassportStatus + cells.heldPassportNumber, layout::kHeldPassportBox,
                    layout::kHeldPassportFormat);
    drawValues(layout::kValuesAfterHeldPassport, cells, canvas);
    return barcode::DrawStatus::Ok;
}

} // namespace parvelin::print
