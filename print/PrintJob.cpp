#include "print/PrintJob.h"

#include "datafile/BarcodePayload.h"
#include "print/FormPrinter.h"

namespace parvelin::print {

std::variant<PrintJob, datafile::CheckFailure> preparePrintJob(app::MemberRecord& record,
                                                               const app::Clock& clock) {
    if (auto failure = datafile::validateRecord(record, clock)) {
        return *failure;
    }
    PrintJob job;
    job.payload = datafile::composeBarcodePayload(record); // appends the name separator
    job.cells = slotsFromRecord(record);
    return job;
}

barcode::DrawStatus drawFormPage(PrintJob& job, PageCanvas& canvas,
                                 const std::function<void(std::string_view)>& warn) {
    const barcode::DrawStatus status = FormPrinter().drawPage(job.cells, job.payload, canvas);
    if (status != barcode::DrawStatus::Ok && !job.warned) {
        warn(status == barcode::DrawStatus::PayloadTooLong ? barcode::kPayloadTooLongMessage
                                                           : kPictureFailedMessage);
        job.warned = true;
    }
    return status;
}

} // namespace parvelin::print
