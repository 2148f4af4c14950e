#pragma once

#include <string_view>

namespace parvelin::form {

// Texts of the main form's own prompts and notices (UTF-8).
namespace message {
// The question before New, Open and closing throw away changes; Yes saves first.
inline constexpr std::string_view kSaveChanges = "是否保存更改? ";
// The caption of the form's prompts.
inline constexpr std::string_view kPromptCaption = "系统提示 ";
// The exchange refuses an other-position text over its cap of 50 bytes.
inline constexpr std::string_view kTooManyCharacters = "请输入不超过 50 个字符。";
// A character that GBK cannot hold is refused where it is typed or pasted.
inline constexpr std::string_view kCharacterNotStorable =
    "该字符不在 GBK 字符集内，无法存入数据文件，已拒绝输入。";
// The tip of a list entry that shows a value from a data file which the list does not offer.
inline constexpr std::string_view kNotInList = "不在列表中：数据文件中的值，保存时原样保留";
// The note at a box whose cap took only part of a phrase from the input method; the rest follows.
inline constexpr std::string_view kPhraseCut = "已达长度上限，未输入：";
// With the group kept, after a save: the group has used every personal sequence number up to 9999.
inline constexpr std::string_view kNoNextSequence =
    "本团组已用到个人序号 9999，没有可建议的下一个序号。请为下一位申请人填写个人序号。";
// The note at the remarks box when a line break would make more lines than the page's cell shows.
inline constexpr std::string_view kRemarksLineCap = "已达行数上限：申请表的备注栏只能打印两行。";
} // namespace message

// The caption's applicant before a file holds it.
inline constexpr std::string_view kNewApplicant = "新申请人";

} // namespace parvelin::form
