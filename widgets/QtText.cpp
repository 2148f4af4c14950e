#include "widgets/QtText.h"

#include <QList>

namespace parvelin::widgets {

namespace {

QString withoutReplacementCharacters(const QString& text) {
    QString kept = text;
    kept.remove(QChar::ReplacementCharacter);
    return kept;
}

} // namespace

QString fromGbk(record::GbkStringView gbk) {
    return QString::fromStdString(record::gbkToUtf8Lossy(gbk));
}

record::GbkString toGbk(const QString& text) {
    const QByteArray utf8 = withoutReplacementCharacters(text).toUtf8();
    if (auto converted = record::utf8ToGbk(std::string_view(utf8.constData(), utf8.size()))) {
        return *converted;
    }
    // Not reached through the controls; character by character keeps what GBK can hold.
    record::GbkString kept;
    for (const uint codePoint : text.toUcs4()) {
        const QByteArray one =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoint), 1).toUtf8();
        if (auto converted = record::utf8ToGbk(std::string_view(one.constData(), one.size()))) {
            kept += *converted;
        }
    }
    return kept;
}

bool isGbkText(const QString& text) {
    const QByteArray utf8 = withoutReplacementCharacters(text).toUtf8();
    return record::utf8ToGbk(std::string_view(utf8.constData(), utf8.size())).has_value();
}

} // namespace parvelin::widgets
