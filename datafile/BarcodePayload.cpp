#include "datafile/BarcodePayload.h"

#include "datafile/Envelope.h"
#include "datafile/RecordText.h"

namespace parvelin::datafile {

std::string composeBarcodePayload(const CheckedRecord& record) {
    return wrapRecord(composeBarcodeRecord(record));
}

} // namespace parvelin::datafile
