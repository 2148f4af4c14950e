#pragma once

#include "cli/CliSupport.h"

namespace parvelin::cli {

// open FILE [--utf8]: the record text of a data file on standard output (GBK, or UTF-8).
int runOpen(Arguments arguments);
// seal [-o FILE]: a record text on standard input, the data-file content on standard output or
// into FILE. A text with a zero byte or bytes that are not GBK is refused (exit status 2).
int runSeal(Arguments arguments);
// validate FILE: "OK", or the message of the first failed check.
int runValidate(Arguments arguments);
// payload FILE: the barcode payload of the file's applicant, after the checks.
int runPayload(Arguments arguments);

} // namespace parvelin::cli
