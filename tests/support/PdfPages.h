#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>

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

} // namespace parvelin::test
