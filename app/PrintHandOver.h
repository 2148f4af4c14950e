#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

class QPrinter;
class QString;
class QWidget;

namespace parvelin::print {
struct PrintJob;
} // namespace parvelin::print

namespace parvelin::widgets {
class PlatformServices;
} // namespace parvelin::widgets

namespace parvelin::app {

// Every question to the print service is asked on a thread of its own while the windows go on
// painting; a service that has not answered within a few seconds is said to be silent, well
// before ten.

// Before any printer is set up: a print service that does not answer within 3 s is said
// ("打印服务无响应", a notice on `form`) and gives false.
bool printServiceAnswers(widgets::PlatformServices& services, QWidget* form);

// The pages of several jobs (or one) to a printer of the print service as one print job, a page
// each in their order: on A4, or on the printer's own paper scaled to fit where it has no A4 and
// the clerk agrees (asked over `window`); a job whose barcode cannot be made gets its empty page
// and the others are printed all the same. A job taken is told by `tellSent` ("已送往 office：
// 2 页，任务 42"); what became of one not simply taken is said on `form`, with whether any page may
// still come out. False when the pages did not reach the printer.
bool handOverToPrintService(QPrinter& printer, std::span<print::PrintJob> jobs,
                            const std::string& jobName,
                            const std::function<void(std::string_view)>& warn,
                            widgets::PlatformServices& services, QWidget* form, QWidget* window,
                            const std::function<void(const QString&)>& tellSent);

} // namespace parvelin::app
