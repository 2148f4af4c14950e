#pragma once

#include "print/PrintService.h"

#include <memory>

namespace parvelin::print {

// The print service of this machine (CUPS, where CUPS_SERVER or the client configuration points),
// asked over connections of its own, each request with its own time limit; libcups' shared
// default connection, which waits a minute and more on a silent service, is never used.
std::shared_ptr<PrintService> cupsPrintService();

} // namespace parvelin::print
