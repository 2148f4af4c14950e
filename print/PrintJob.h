#pragma once

#include "barcode/DrawStatus.h"
#include "datafile/Validation.h"
#include "print/FormSlots.h"
#include "print/PageCanvas.h"
#include "record/Clock.h"
#include "record/MemberRecord.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace parvelin::print {

// The refusals of Print preview and Print: they run only for an applicant whose data file is open
// and unchanged, so that the printed form and its barcode always match a stored file.
inline constexpr std::string_view kMustSaveFirst = "必须先保存才能打印";
inline constexpr std::string_view kChangedMustSave = "信息有修改，必须先保存才能打印";
std::optional<std::string_view> printRefusal(bool fileOpen, bool modified);

// The notice when the barcode picture cannot be drawn onto the page.
inline constexpr std::string_view kPictureFailedMessage = "图片加载失败！";

// What a print command prepares for every drawing of its page: the texts of the cells, the barcode
// payload, and whether the barcode warning has been shown since the command started.
struct PrintJob {
    FormSlots cells;
    std::string payload;
    bool warned = false;
    // The cells whose values the page cannot show whole, as the last drawing found them.
    std::vector<std::string_view> cutCells;
};

// The job of a checked record: the barcode payload of its barcode record, the cells.
PrintJob printJobFor(const datafile::CheckedRecord& checked);

// The steps of Print preview and Print after their refusals: the checks, then printJobFor. A
// record that fails a check gives the failure instead.
std::variant<PrintJob, datafile::CheckFailure> preparePrintJob(const record::MemberRecord& record,
                                                               const record::Clock& clock);

// The warning of a page whose barcode cannot be made: "数据太长，二维码不正确！" for a payload the
// symbol cannot hold, "图片加载失败！" when the picture cannot be drawn. Empty for Ok.
std::string_view warningOf(barcode::DrawStatus status);

// One drawing of the page, as the preview repaints it or a printer prints it. When the barcode
// cannot be made the page stays empty and `warn` is told why (warningOf), once per job however
// often the page is drawn again.
barcode::DrawStatus drawFormPage(PrintJob& job, PageCanvas& canvas,
                                 const std::function<void(std::string_view)>& warn);

} // namespace parvelin::print
