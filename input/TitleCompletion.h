#pragma once

#include "record/GbkText.h"

#include <optional>
#include <string_view>

namespace parvelin::input {

// Bilingual titles with the placeholder "***" for the name of the official the applicant is
// related to ("大使***夫人;wife of ***,Ambassador"), completed through the identity editor.

// The four names the identity editor asks for (GBK).
struct IdentityNames {
    record::GbkString surnameChinese;
    record::GbkString givenNameChinese;
    record::GbkString surnamePinyin;
    record::GbkString givenNamePinyin;

    bool operator==(const IdentityNames&) const = default;
};

namespace message {
inline constexpr std::string_view kNamesMissing = "姓和名不能同时为空！";
} // namespace message

// Whether a note still waits for a name: it holds "*" (the check before saving refuses it).
bool needsIdentityEditor(record::GbkStringView note);

// The first byte upper-cased when it is a Latin letter, the rest unchanged (zhang -> Zhang).
record::GbkString capitalizeFirst(record::GbkStringView text);

// The names as OK leaves them: leading white space removed, both pinyin parts capitalised, then
// trailing white space removed.
IdentityNames tidiedNames(const IdentityNames& names);

// OK closes only when a Chinese name part and a pinyin part are given (after tidying).
bool namesComplete(const IdentityNames& tidied);

// Chinese name: surname + given name. Pinyin name: surname + " " + given name, the blank put in
// even when one side is empty (三 / SAN alone gives " SAN").
record::GbkString chineseName(const IdentityNames& names);
record::GbkString pinyinName(const IdentityNames& names);

// The title with the names put in: every "***" before the first ";" becomes the Chinese name, every
// one from that ";" on the pinyin name (a title without ";" is all English half). std::nullopt
// when either name is empty, in which case the note stays as it was.
std::optional<record::GbkString> completeTitle(record::GbkStringView title,
                                               const IdentityNames& names);

} // namespace parvelin::input
