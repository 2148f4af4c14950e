#include "print/PrintReports.h"

#include "applicants/DataFileName.h"
#include "print/PageGeometry.h"
#include "record/GbkText.h"

namespace parvelin::print {

namespace {

std::string withPrinter(std::string_view lead, std::string_view cause, std::string_view printer) {
    return std::string(lead) + std::string(cause) + "（打印机：" + std::string(printer) + "）";
}

} // namespace

std::string printJobName(const record::MemberRecord& record, std::string_view dataFileName) {
    const std::string name = record::gbkToUtf8Lossy(
        record::withNameSeparator(record, record.surnameChinese) + record.givenNameChinese);
    return std::string(layout::kTitle) + " - " + name + " - " +
           std::string(applicants::dataFileStem(dataFileName));
}

std::string groupJobName(std::size_t applicants, std::string_view folderName) {
    return std::string(layout::kTitle) + " - " + std::to_string(applicants) + " 名申请人 - " +
           std::string(folderName);
}

std::string leftOutMessage(const std::vector<std::string>& lines) {
    std::string text = "以下申请人不能打印，其余照常打印：";
    for (const std::string& line : lines) {
        text += '\n';
        text += line;
    }
    return text;
}

std::string printFailedMessage(std::string_view cause, std::string_view printer) {
    return withPrinter("打印失败：", cause, printer);
}

std::string jobFailedMessage(ServiceFault fault, std::string_view cause, std::string_view printer,
                             bool mayPrint) {
    const auto withOutcome = [&](std::string_view what) {
        return printFailedMessage(what, printer) + "\n" +
               (mayPrint ? "页面可能仍会打印出来：请先看打印机，再决定是否重新打印。"
                         : "没有任何页面会打印出来。");
    };
    switch (fault) {
    case ServiceFault::PrinterNotFound:
        return "打印失败：找不到打印机（" + std::string(printer) + "）";
    case ServiceFault::Unreachable:
        return printFailedMessage("无法连接打印服务", printer);
    case ServiceFault::Silent:
        return withOutcome(kServiceSilent);
    case ServiceFault::ConnectionLost:
        return withOutcome("与打印服务的连接中断");
    case ServiceFault::None:
    case ServiceFault::Refused:
        break;
    }
    return printFailedMessage(cause, printer);
}

std::string jobSentNote(std::string_view printer, std::size_t pages, int copies, int jobId) {
    std::string note = "已送往 " + std::string(printer) + "：" + std::to_string(pages) + " 页";
    if (copies > 1) {
        note += " × " + std::to_string(copies) + " 份";
    }
    return note + "，任务 " + std::to_string(jobId);
}

std::string printWaitingMessage(std::string_view cause, std::string_view printer) {
    return withPrinter("打印任务正在等待：", cause, printer);
}

std::optional<std::string> cutCellsQuestion(std::span<const std::string_view> cells) {
    if (cells.empty()) {
        return std::nullopt;
    }
    std::string names;
    for (const std::string_view cell : cells) {
        names += (names.empty() ? "" : "、") + std::string(cell);
    }
    return "以下内容在表格中显示不全，打印出来会缺字：" + names + "。\n仍要打印吗？";
}

std::string noA4Question(std::string_view printer) {
    return "打印机“" + std::string(printer) + "”没有A4纸。\n按该打印机的纸张缩放打印，还是取消？";
}

} // namespace parvelin::print
