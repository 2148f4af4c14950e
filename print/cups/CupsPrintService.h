#pragma once

#include "print/PrintService.h"

#include <chrono>
#include <memory>

namespace parvelin::print {

// The print service of this machine (CUPS, where CUPS_SERVER or the client configuration points),
// asked over connections of its own, each request with its own time limit; libcups' shared
// default connection, which waits a minute and more on a silent service, is never used. Callers
// wait `patience` for an answer (a clerk hears of a silent service within ten seconds); the
// requests themselves wait a little longer, so that an answer on its way is not cut off.
std::shared_ptr<PrintService>
cupsPrintService(std::chrono::milliseconds patience = std::chrono::seconds(8));

} // namespace parvelin::print
