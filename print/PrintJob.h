#pragma once

#include "app/Clock.h"
#include "app/MemberRecord.h"
#include "barcode/DrawStatus.h"
#include "datafile/Validation.h"
#include "print/FormSlots.h"
#include "print/PageCanvas.h"

#include <functional>
#include <string>
#include <string_view>
#include <variant>

namespace parvelin::print {

// The notice when the barcode picture cannot be drawn onto the page.
inline constexpr std::string_view kPictureFailedMessage = "图片加载失败！";

// What a print command prepares for every drawing of its page: the texts of the cells, the barcode
// payload, and whether the barcode warning has been shown since the command started.
struct PrintJob {
    FormSlots cells;
    std::string payload;
    bool warned = false;
};

// The steps of Print preview and Print after their refusals: the checks, the name separator, the
// barcode payload and the cells. A record that fails a check gives the failure instead.
std::variant<PrintJob, datafile::CheckFailure> preparePrintJob(app::MemberRecord& record,
                                                               const app::Clock& clock);

// One drawing of the page, as the preview repaints it or a printer prints it. When the barcode
// cannot be made the page stays empty and `warn` is told why, once per job however often the page
// is drawn again: "数据太长，二维码不正确！" for a payload the symbol cannot hold, "图片加载失败！"
// when the picture cannot be drawn.
barcode::DrawStatus drawFormPage(PrintJob& job, PageCanvas& canvas,
                                 const std::function<void(std::string_view)>& warn);

} // namespace parvelin::print
