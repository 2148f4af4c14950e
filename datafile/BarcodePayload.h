#pragma once

#include "datafile/Validation.h"

#include <string>

namespace parvelin::datafile {

// The text that the printed barcode carries: the barcode record in the data file's envelope,
// neither padded nor enciphered ("2|", Base64 with its line breaks, "||").
std::string composeBarcodePayload(const CheckedRecord& record);

} // namespace parvelin::datafile
