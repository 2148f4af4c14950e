#include "print/PrintJob.h"

#include "datafile/DataFile.h"
#include "print/FormPrinter.h"

namespace parvelin::print {

std::optional<std::string_view> printRefusal(bool fileOpen, bool modified) {
    if (!fileOpen) {
        return kMustSaveFirst;
    }
    if (modified) {
        return kChangedMustSave;
    }
    return std::nullopt;
}

PrintJob printJobFor(const datafile::CheckedRecord& checked) {
    PrintJob job;
    job.payload = datafile::composeBarcodePayload(checked);
    job.cells = slotsFromRecord(checked);
    return job;
}

std::variant<PrintJob, datafile::CheckFailure> preparePrintJob(const record::MemberRecord& record,
                                                               const record::Clock& clock) {
    const datafile::CheckResult checked = datafile::validateRecord(record, clock);
    if (const auto* failure = datafile::failureOf(checked)) {
        return *failure;
    }
    return printJobFor(std::get<datafile::CheckedRecord>(checked));
}

std::string_view warningOf(barcode::DrawStatus status) {
    switch (status) {
    case barcode::DrawStatus::Ok:
        break;
    case barcode::DrawStatus::PayloadTooLong:
        return barcode::kPayloadTooLongMessage;
    case barcode::DrawStatus::PictureFailed:
        return kPictureFailedMessage;
    }
    return {};
}

barcode::DrawStatus drawFormPage(PrintJob& job, PageCanvas& canvas,
                                 const std::function<void(std::string_view)>& warn) {
    const barcode::DrawStatus status =
        FormPrinter().drawPage(job.cells, job.payload, canvas, &job.cutCells);
    if (status != barcode::DrawStatus::Ok && !job.warned) {
        // Marked first: a page drawn again while the warning is up must not warn twice.
        job.warned = true;
        warn(warningOf(status));
    }
    return status;
}

} // namespace parvelin::print
