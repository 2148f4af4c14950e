#include "app/PrintServiceModule.h"

#include "print/cups/CupsServiceModule.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

namespace parvelin::app {

std::shared_ptr<print::PrintService> loadPrintService(std::chrono::milliseconds patience) {
    const QString folder = QCoreApplication::applicationDirPath();
    // Beside the program in a build folder; under the library folder once installed
    // (PARVELIN_MODULE_FOLDER is that folder relative to the program's).
    const QStringList candidates = {
        folder + QLatin1Char('/') + QLatin1String(kCupsServiceModuleName),
        folder + QStringLiteral("/" PARVELIN_MODULE_FOLDER "/") + QLatin1String(kCupsServiceModuleName),
    };
    QStringList failures;
    for (const QString& path : candidates) {
        // Never unloaded: the service's code lives in the module for as long as the program runs.
        auto* module = new QLibrary(path);
        const auto entry = reinterpret_cast<CupsServiceEntry>(module->resolve(kCupsServiceEntry));
        if (entry) {
            std::shared_ptr<print::PrintService> service;
            entry(patience.count(), &service);
            if (service) {
                return service;
            }
        }
        failures << module->errorString();
        delete module;
    }
    qWarning("The print service's module did not load, so pages go to PDF files only: %s",
             qPrintable(failures.join(QStringLiteral("; "))));
    return print::noPrintService();
}

} // namespace parvelin::app
