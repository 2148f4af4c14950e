// GBK and UTF-8 through Windows' code page 936, where there is no iconv. Every conversion refuses
// what the other side cannot hold, as iconv does: damaged bytes are not read as U+FFFD, and a
// character without a GBK form is not written as "?".

#include "record/GbkText.h"

#include <climits>
#include <windows.h>

namespace parvelin::record {

namespace {

constexpr UINT kGbkCodePage = 936;

std::optional<std::wstring> toWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return std::wstring();
    }
    if (text.size() > INT_MAX) {
        return std::nullopt;
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(),
                              needed) != needed) {
        return std::nullopt;
    }
    return wide;
}

std::optional<std::string> fromWide(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(wide.size());
    // UTF-8 refuses lone surrogates itself; code page 936 says where it put its default
    // character for one it lacks, and best-fit lookalikes ("a" for "à") are never taken.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL defaulted = FALSE;
    BOOL* usedDefault = utf8 ? nullptr : &defaulted;
    const int needed = ::WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0,
                                             nullptr, usedDefault);
    if (needed <= 0 || defaulted) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(needed), '\0');
    if (::WideCharToMultiByte(codePage, flags, wide.data(), length, text.data(), needed, nullptr,
                              usedDefault) != needed ||
        defaulted) {
        return std::nullopt;
    }
    return text;
}

} // namespace

std::optional<GbkString> utf8ToGbk(std::string_view utf8) {
    const auto wide = toWide(CP_UTF8, utf8);
    return wide ? fromWide(kGbkCodePage, *wide) : std::nullopt;
}

std::optional<std::string> gbkToUtf8(GbkStringView gbk) {
    const auto wide = toWide(kGbkCodePage, gbk);
    return wide ? fromWide(CP_UTF8, *wide) : std::nullopt;
}

bool isUtf8(std::string_view text) {
    return toWide(CP_UTF8, text).has_value();
}

} // namespace parvelin::record
