#pragma once

#include "print/PrintService.h"

#include <memory>

namespace parvelin::print {

// The print service on Windows: the system's spooler, which the print dialog and Qt's printer
// ask themselves. It is always there; pages reach it drawn by Qt for the printer's driver, never
// as a PDF document, so a request to submit one is refused.
std::shared_ptr<PrintService> spoolerPrintService();

} // namespace parvelin::print
