#pragma once

#include "record/GbkText.h"

#include <string_view>

#include <QString>

namespace parvelin::widgets {

// The edge between the record's GBK text and Qt's UTF-16 strings.

// A UTF-8 literal of the program (a message, a label).
inline QString qText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A GBK value for display; bytes that are not GBK show as U+FFFD.
QString fromGbk(record::GbkStringView gbk);

// The GBK form of a text from a control. The controls refuse characters GBK cannot hold as they
// are typed, so only U+FFFD, which stands for damaged bytes of a data file, can be without a GBK
// form here; it is left out.
record::GbkString toGbk(const QString& text);

// Whether every character of a text has a GBK form (U+FFFD, the mark of damaged bytes that a
// data file brought in, is let through).
bool isGbkText(const QString& text);

} // namespace parvelin::widgets
