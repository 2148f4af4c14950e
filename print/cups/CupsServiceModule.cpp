// The print service of libcups as a module that the desktop program loads when it first needs
// the service, so that libcups and what it brings (TLS, Kerberos, Avahi: some twenty libraries)
// are not loaded on the way to the first window.

#include "print/cups/CupsPrintService.h"
#include "print/cups/CupsServiceModule.h"

extern "C" __attribute__((visibility("default"))) void
parvelinCupsPrintService(long long patienceMilliseconds,
                         std::shared_ptr<parvelin::print::PrintService>* service) {
    *service = parvelin::print::cupsPrintService(std::chrono::milliseconds(patienceMilliseconds));
}
