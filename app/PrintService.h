#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace parvelin::app {

// The print service (CUPS) as the print commands use it: whether it answers, what a printer
// offers, and a job handed over and followed until it is known to be taken. Every request has a
// time limit, so that a service that has stopped answering cannot hold the window.

// Answering: printers may be chosen. Absent: there is no print service here (no socket, nothing
// listening), so the print dialog offers PDF files only. Silent: a service is there but does not
// answer within the limit.
enum class PrintServiceState { Answering, Absent, Silent };

// Asked on a thread of its own; a thread that is still waiting when the limit has passed is
// left to end by its own, longer limit.
PrintServiceState probePrintService(std::chrono::milliseconds limit);

// Whether `printer` offers A4 paper. A printer that does not say what it offers (a raw queue)
// is taken to offer it.
bool printerOffersA4(const std::string& printer);

// What became of a job: taken (printing or queued to print), waiting (held by a stopped
// printer), or not taken at all. `cause` says why, in Chinese, for the last two.
struct JobReport {
    enum class Outcome { Taken, Waiting, Failed };
    Outcome outcome = Outcome::Failed;
    std::string cause;
};

// A printer's option as the print dialog's properties set it ("InputSlot", "Tray2").
using PrinterOption = std::pair<std::string, std::string>;

// Hands `pdf` to `printer` as one job named `jobName`, in `copies` copies, on A4 paper, or on the
// printer's own paper scaled to fit where `fitToPaper`, with the options the clerk chose for the
// printer (its paper size and scaling aside: the form decides those).
JobReport printPdf(const std::string& printer, const std::string& jobName, std::string_view pdf,
                   int copies, bool fitToPaper, const std::vector<PrinterOption>& chosen = {});

} // namespace parvelin::app
