#pragma once

#include "print/PrintService.h"

#include <memory>

// The module's one entry: the print service of libcups, answering within `patienceMilliseconds`.
// The program keeps the module loaded for as long as it runs, since the service's code lives in it.
inline constexpr const char* kCupsServiceModuleName = "parvelin-cups-service";
inline constexpr const char* kCupsServiceEntry = "parvelinCupsPrintService";
using CupsServiceEntry = void (*)(long long patienceMilliseconds,
                                  std::shared_ptr<parvelin::print::PrintService>* service);
