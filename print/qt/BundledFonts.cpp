#include "print/qt/BundledFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace parvelin::print {

void addBundledFonts() {
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    const QStringList fonts = folder.entryList(
        {QStringLiteral("*.ttf"), QStringLiteral("*.ttc"), QStringLiteral("*.otf")}, QDir::Files,
        QDir::Name);
    for (const QString& name : fonts) {
        if (QFontDatabase::addApplicationFont(folder.filePath(name)) < 0) {
            qWarning("The font %s beside the program could not be loaded.",
                     qPrintable(folder.filePath(name)));
        }
    }
}

} // namespace parvelin::print
