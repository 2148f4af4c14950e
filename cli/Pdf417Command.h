#pragma once

#include "cli/CliSupport.h"

namespace parvelin::cli {

// pdf417 [--segments] [--codewords] [--bmp FILE]: encodes the payload on standard input as the
// printed page does. --segments prints the segment listing, --codewords the line
// "D=<data count> level=<level> columns=<data columns> rows=<rows>" and then all codewords of the
// symbol, --bmp writes the barcode picture as a bitmap file. A payload too long for the symbol
// gives the form's notice on standard error and exit status 1.
int runPdf417(Arguments arguments);

} // namespace parvelin::cli
