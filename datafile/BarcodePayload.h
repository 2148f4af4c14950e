#pragma once

#include "record/MemberRecord.h"

#include <string>

namespace parvelin::datafile {

// The text that the printed barcode carries: the barcode record in the data file's envelope,
// neither padded nor enciphered ("2|", Base64 with its line breaks, "||"). The record must have
// passed the checks; its name separator is appended here, once per print command.
std::string composeBarcodePayload(record::MemberRecord& record);

} // namespace parvelin::datafile
