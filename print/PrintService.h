#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace parvelin::print {

// The print service as the print commands use it: whether it answers, what paper a printer has,
// and a job handed over and followed until it is known to be taken. Every call may block for as
// long as the service takes to answer, so the commands make them on a thread of their own
// (AnswerWithin.h) and never on the window's.

// Answering: printers may be chosen. Absent: there is no print service here (nothing listens),
// so the print dialog offers PDF files only. Silent: a service is there but does not answer.
enum class ServiceState { Answering, Absent, Silent };

// Why a call came to nothing. Refused carries the service's reason in the report's cause.
enum class ServiceFault {
    None,
    Unreachable,     // no connection could be made
    Silent,          // connected, but no answer within the time limit
    ConnectionLost,  // the service went away in the middle of a request
    PrinterNotFound, // the service does not know the printer
    Refused,         // the service answered no
};

// A printer as the print dialog names it: a queue, or one of the queue's saved sets of options
// ("office/A4": queue "office", set "A4").
struct PrinterName {
    std::string queue;
    std::string instance; // empty for the queue's own options
};
PrinterName splitPrinterName(std::string_view shown);

// Whether paper of these names (the printer's "media-supported") includes A4, whatever the printer
// appends to the name ("iso_a4_210x297mm.Borderless", "A4.FullBleed"); A4 Extra and A4 Tab are
// other papers. A printer that names no paper at all (a raw queue) takes whatever it is sent, A4
// included.
bool offersA4(std::span<const std::string> media);

// The paper a printer offers, or why that could not be learnt.
struct MediaReport {
    ServiceFault fault = ServiceFault::None;
    std::string cause; // the service's reason, in Chinese, where it refused
    std::vector<std::string> media;
};

// A printer's option as the print dialog's properties set it ("InputSlot", "Tray2").
using PrinterOption = std::pair<std::string, std::string>;

// One job: `pdf` to `printer` as `jobName`, in `copies` copies, on A4 paper, or on the printer's
// own paper scaled to fit where `fitToPaper`, with the options the clerk chose for the printer
// (its paper size and scaling aside: the form decides those).
// `askPassword` is called, on the job's thread, where the service wants the password of `user`
// before it takes the job; it gives nothing where the clerk declines.
struct PrintRequest {
    std::string printer;
    std::string jobName;
    std::string pdf;
    int copies = 1;
    bool fitToPaper = false;
    std::vector<PrinterOption> chosen;
    std::function<std::optional<std::string>(const std::string& user)> askPassword;
};

// What became of a job: taken (printing or queued to print), waiting (held by a stopped printer),
// or not taken. `cause` says why, in Chinese, for the last two.
struct JobReport {
    enum class Outcome { Taken, Waiting, Failed };
    Outcome outcome = Outcome::Failed;
    ServiceFault fault = ServiceFault::None; // for Failed
    std::string cause;
    int jobId = 0;
};

// What a job's caller and the thread that hands it over share. The job is held by the service
// until its document is confirmed, and only then let go to print. The caller gives it up when it
// has waited long enough: a job not yet let go is then cancelled, never printed, so that a job
// reported as failed does not print unannounced. `mayPrint` is set just before the job is let
// go (and where it cannot be held back): from then on, a service that falls silent may still
// print it. The caller gives up first and then asks; the job sets `mayPrint` first and then
// asks whether it was given up: so either the caller learns that pages may come out, or the job
// stays held.
struct JobProgress {
    std::atomic<bool> givenUp{false};
    std::atomic<bool> mayPrint{false};
};

class PrintService {
public:
    virtual ~PrintService() = default;
    // How long a caller waits for an answer before it takes the service for silent.
    virtual std::chrono::milliseconds patience() const = 0;
    virtual ServiceState state() = 0;
    virtual MediaReport mediaOf(const std::string& queue) = 0;
    virtual JobReport submit(const PrintRequest& request, JobProgress& progress) = 0;
};

// Where this machine has no print service the program can use (its module is missing): absent,
// so that pages go to PDF files only, and every request unreachable.
std::shared_ptr<PrintService> noPrintService();

} // namespace parvelin::print
