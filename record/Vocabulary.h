#pragma once

#include "record/GbkText.h"

#include <array>

namespace parvelin::record {

// List entries whose exact text carries meaning for the record: the checks, the record text and
// the dependent fields compare values with them. Held as GBK bytes; VocabularyTest proves each
// against its UTF-8 spelling.
namespace word {
inline constexpr GbkStringView kOther = "\xC6\xE4\xCB\xFB";                   // 其他
inline constexpr GbkStringView kFiled = "\xD2\xD1\xB1\xB8\xB0\xB8";           // 已备案
inline constexpr GbkStringView kIdentityCard = "\xC9\xED\xB7\xDD\xD6\xA4";    // 身份证
inline constexpr GbkStringView kOfficerCard = "\xBE\xFC\xB9\xD9\xD6\xA4";     // 军官证
inline constexpr GbkStringView kNone = "\xCE\xDE";                            // 无
inline constexpr GbkStringView kAtHome = "\xB9\xFA\xC4\xDA";                  // 国内
inline constexpr GbkStringView kAbroad = "\xB9\xFA\xCD\xE2";                  // 国外
inline constexpr GbkStringView kApproval = "\xC5\xFA\xBC\xFE";                // 批件
inline constexpr GbkStringView kConfirmation = "\xC8\xB7\xC8\xCF\xBC\xFE";    // 确认件
inline constexpr GbkStringView kNumberSuffix = "\xBA\xC5";                    // 号
inline constexpr GbkStringView kMiddleDot = "\xA1\xA4";                       // ·
inline constexpr GbkStringView kForeignMinistry = "\xCD\xE2\xBD\xBB\xB2\xBF"; // 外交部
inline constexpr GbkStringView kMale = "\xC4\xD0";                            // 男
inline constexpr GbkStringView kFemale = "\xC5\xAE";                          // 女
inline constexpr GbkStringView kBlank = " ";
} // namespace word

struct VocabularyEntry {
    GbkStringView gbk;
    std::string_view utf8;
};

inline constexpr std::array<VocabularyEntry, 14> kVocabulary = {{
    {word::kOther, "其他"},
    {word::kFiled, "已备案"},
    {word::kIdentityCard, "身份证"},
    {word::kOfficerCard, "军官证"},
    {word::kNone, "无"},
    {word::kAtHome, "国内"},
    {word::kAbroad, "国外"},
    {word::kApproval, "批件"},
    {word::kConfirmation, "确认件"},
    {word::kNumberSuffix, "号"},
    {word::kMiddleDot, "·"},
    {word::kForeignMinistry, "外交部"},
    {word::kMale, "男"},
    {word::kFemale, "女"},
}};

} // namespace parvelin::record
