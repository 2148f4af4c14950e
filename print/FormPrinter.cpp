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
        static_cast<void>(canvas.drawText(fixedText(text.text), text.box, text.format));
    }
}

// Draws the values of the cells; a value its cell cannot show whole is named in `cut` and its
// box marked.
class ValueDrawing {
public:
    ValueDrawing(PageCanvas& canvas, std::vector<std::string_view>* cut)
        : m_canvas(canvas)
        , m_cut(cut) {}

    void draw(std::string_view name, const record::GbkString& text, const Box& box,
              TextFormat format, int fittedWidth = 0) {
        // A long text gets a smaller font for this one cell; the values font is selected again
        // after.
        bool whole = true;
        if (fittedWidth == 0) {
            whole = m_canvas.drawText(text, box, format);
        } else {
            const bool fits =
                layout::kUnitsPerFittedByte * static_cast<long>(text.size()) <= fittedWidth;
            m_canvas.selectFont(fits ? layout::kValueFont : layout::kSmallValueFont);
            whole = m_canvas.drawText(text, box, format);
            m_canvas.selectFont(layout::kValueFont);
        }
        if (whole) {
            return;
        }
        if (m_cut != nullptr) {
            m_cut->push_back(name);
        }
        m_canvas.markCutBox(box);
    }

    void draw(std::span<const layout::ValueCell> layoutCells, const FormSlots& cells) {
        for (const layout::ValueCell& cell : layoutCells) {
            draw(cell.name, cells.*cell.slot, cell.box, cell.format, cell.fittedWidth);
        }
    }

private:
    PageCanvas& m_canvas;
    std::vector<std::string_view>* m_cut;
};

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
                                          PageCanvas& canvas,
                                          std::vector<std::string_view>* cut) const {
    if (cut != nullptr) {
        cut->clear();
    }
    const barcode::DrawStatus barcodeStatus = drawBarcode(payload, canvas);
    if (barcodeStatus != barcode::DrawStatus::Ok) {
        return barcodeStatus;
    }

    canvas.selectFont(layout::kTitleFont);
    static_cast<void>(
        canvas.drawText(fixedText(layout::kTitle), layout::kTitleBox, TextFormat::LineCentred));

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
    ValueDrawing values(canvas, cut);
    values.draw(layout::kValuesBeforeHeldPassport, cells);
    values.draw(layout::kHeldPassportName, cells.heldPassportStatus + cells.heldPassportNumber,
                layout::kHeldPassportBox, layout::kHeldPassportFormat);
    values.draw(layout::kValuesAfterHeldPassport, cells);
    return barcode::DrawStatus::Ok;
}

} // namespace parvelin::print
