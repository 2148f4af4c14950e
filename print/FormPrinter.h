#pragma once

#include "barcode/DrawStatus.h"
#include "print/FormSlots.h"
#include "print/PageCanvas.h"

#include <string_view>
#include <vector>

namespace parvelin::print {

// Draws the application form "因公护照申请表" for one applicant: the PDF417 barcode of the payload
// at the top right, the title, the ruled table with its labels and notes, and the values in their
// cells. When the barcode cannot be made, nothing else of the page is drawn and its status is
// returned.
//
// Values their cells cannot show whole are named in `cut` (the cells' labels, in page order)
// where it is given, and their boxes are marked on the canvas (PageCanvas::markCutBox).
class FormPrinter {
public:
    [[nodiscard]] barcode::DrawStatus drawPage(const FormSlots& cells, std::string_view payload,
                                               PageCanvas& canvas,
                                               std::vector<std::string_view>* cut = nullptr) const;
};

} // namespace parvelin::print
