#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace parvelin::test {

// The page objects of a PDF ("/Type /Page", not "/Type /Pages").
inline int pdfPageCount(const QByteArray& pdf) {
    return static_cast<int>(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

// The same for a PDF file; -1 when it cannot be read.
inline int pdfPageCountOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? pdfPageCount(file.readAll()) : -1;
}

// What a poppler-utils tool (pdftotext, pdffonts, pdftoppm) writes on standard output; empty
// when it cannot be run or fails.
inline QByteArray popplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput();
}

// The text of a PDF file as pdftotext reads it.
inline QString pdfText(const QString& path) {
    return QString::fromUtf8(
        popplerOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
}

} // namespace parvelin::test
