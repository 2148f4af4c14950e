#pragma once

#include "print/PrintService.h"

#include <chrono>
#include <memory>

namespace parvelin::app {

// The machine's print service (libcups), from the module that holds it: looked for beside the
// program (a build folder) and then where the program is installed, loaded the first time it is
// asked for. Where no module loads, a service that is absent, so that pages go to PDF files only;
// why is written to the log.
std::shared_ptr<print::PrintService>
loadPrintService(std::chrono::milliseconds patience = std::chrono::seconds(8));

} // namespace parvelin::app
