#pragma once

#include "print/PrintService.h"
#include "record/MemberRecord.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace parvelin::print {

// What the clerk is told about a page handed to the print service, and what the job is called
// there. Texts are UTF-8.

inline constexpr std::string_view kServiceSilent = "打印服务无响应";

// The job's name in the queue: the form's title, the applicant's name and the data file's name
// without its suffix ("因公护照申请表 - 魏平伟 - 000013012201103330_3676"), so that jobs can be
// told apart and a PDF printer that names its files after the job writes no applicant over another.
std::string printJobName(const record::MemberRecord& record, std::string_view dataFileName);
// The name of a job of several applicants: "因公护照申请表 - 5 名申请人 - 2026-12-09", after the
// folder that holds their files.
std::string groupJobName(std::size_t applicants, std::string_view folderName);

// The notice that names the files left out of a print of several applicants, one line each
// ("x.zbdw：必填项不能为空！"); the others are printed.
std::string leftOutMessage(const std::vector<std::string>& lines);

// "打印失败：<cause>（打印机：<printer>）": the page did not reach the printer.
std::string printFailedMessage(std::string_view cause, std::string_view printer);
// What the clerk is told of a job the service did not take:
// "打印失败：<cause>（打印机：<printer>）", or "打印失败：找不到打印机（<printer>）". Where the
// service went silent or away, a second line says whether pages may still come out: they may once
// the whole document had gone to it.
std::string jobFailedMessage(ServiceFault fault, std::string_view cause, std::string_view printer,
                             bool mayPrint);
// The note once a job is taken: "已送往 office：6 页，任务 42" ("6 页 × 2 份" for copies).
std::string jobSentNote(std::string_view printer, std::size_t pages, int copies, int jobId);

// "打印任务正在等待：<cause>（打印机：<printer>）": the job is queued but the printer holds it.
std::string printWaitingMessage(std::string_view cause, std::string_view printer);

// The question before a page goes to paper with values that their cells cannot show whole (named
// by their labels), or std::nullopt when every value fits. Answered 是 or 否.
std::optional<std::string> cutCellsQuestion(std::span<const std::string_view> cells);

// The question when the chosen printer has no A4 paper, and its answers; the last cancels.
std::string noA4Question(std::string_view printer);
inline constexpr std::string_view kScaleToPaper = "缩放打印";
inline constexpr std::string_view kCancelPrint = "取消";

} // namespace parvelin::print
