#include "print/cups/CupsPrintService.h"

#include "print/JobOptions.h"
#include "print/cups/IppConnection.h"

#include <algorithm>
#include <chrono>
#include <cups/cups.h>
#include <memory>

namespace parvelin::print {

namespace {

using namespace ipp;

constexpr std::size_t kSendAtOnce = 64 * 1024;

// The service's question for the clerk's password, put to the clerk by the job's caller; the time
// the clerk takes is not the service's. Asked a few times at most, as a wrong password is asked
// again.
struct PasswordQuestion {
    const PrintRequest& request;
    Patience& patience;
    std::string answer;
    int asked = 0;
};

const char* answerPassword(const char*, http_t*, const char*, const char*, void* data) {
    constexpr int kAskAtMost = 3;
    auto* question = static_cast<PasswordQuestion*>(data);
    if (!question->request.askPassword || ++question->asked > kAskAtMost) {
        return nullptr;
    }
    const std::optional<std::string> answer = question->request.askPassword(cupsUser());
    question->patience.restart();
    if (!answer) {
        return nullptr;
    }
    question->answer = *answer;
    return question->answer.c_str();
}

JobReport failed(ServiceFault fault, std::string cause = {}) {
    JobReport report;
    report.fault = fault;
    report.cause = std::move(cause);
    return report;
}

JobReport failedRequest(const Ipp& answer, const Patience& patience) {
    const ServiceFault fault = faultOf(answer, patience);
    return failed(fault, fault == ServiceFault::Refused ? causeOfRefusal(answer) : std::string());
}

// The options of the queue's saved set `instance`, with the queue's own values: what the clerk
// chose by choosing the set. False where the set is not known (any more).
bool savedOptions(Connection& connection, const PrinterName& name,
                  std::vector<SavedOption>& options) {
    cups_dest_t* dests = nullptr;
    connection.patience().restart();
    const int count = cupsGetDests2(connection.http(), &dests);
    const cups_dest_t* set = cupsGetDest(name.queue.c_str(), name.instance.c_str(), count, dests);
    const cups_dest_t* queue = cupsGetDest(name.queue.c_str(), nullptr, count, dests);
    if (set != nullptr) {
        for (int i = 0; i < set->num_options; ++i) {
            const cups_option_t& option = set->options[i];
            const char* own = queue != nullptr
                                  ? cupsGetOption(option.name, queue->num_options, queue->options)
                                  : nullptr;
            if (own == nullptr || std::string_view(own) != option.value) {
                options.push_back({option.name, option.value, own != nullptr ? own : ""});
            }
        }
    }
    cupsFreeDests(count, dests);
    return set != nullptr;
}

void cancelJob(std::chrono::milliseconds patience, const std::string& queue, int jobId,
               JobProgress& progress) {
    Connection connection(patience, &progress);
    if (connection) {
        connection.ask(jobRequest(IPP_OP_CANCEL_JOB, queue, jobId));
    }
}

// A job whose document the service confirmed: taken, or held by a printer that has stopped. Where
// these questions go unanswered, the confirmation stands.
JobReport followJob(Connection& connection, const std::string& queue, int jobId) {
    JobReport report;
    report.outcome = JobReport::Outcome::Taken;
    report.jobId = jobId;
    const Ipp job = connection.ask(jobRequest(IPP_OP_GET_JOB_ATTRIBUTES, queue, jobId));
    ipp_attribute_t* state =
        succeeded(job) ? ippFindAttribute(job.get(), "job-state", IPP_TAG_ENUM) : nullptr;
    switch (state != nullptr ? static_cast<ipp_jstate_t>(ippGetInteger(state, 0))
                             : IPP_JSTATE_PENDING) {
    case IPP_JSTATE_ABORTED:
        return failed(ServiceFault::Refused, "打印任务已中止");
    case IPP_JSTATE_CANCELED:
        return failed(ServiceFault::Refused, "打印任务已取消");
    case IPP_JSTATE_HELD:
        report.outcome = JobReport::Outcome::Waiting;
        report.cause = "打印任务被挂起";
        return report;
    default:
        break;
    }
    const Ipp printer = connection.ask(requestFor(IPP_OP_GET_PRINTER_ATTRIBUTES, queue));
    ipp_attribute_t* printerState =
        succeeded(printer) ? ippFindAttribute(printer.get(), "printer-state", IPP_TAG_ENUM)
                           : nullptr;
    if (printerState != nullptr && ippGetInteger(printerState, 0) == IPP_PSTATE_STOPPED) {
        report.outcome = JobReport::Outcome::Waiting;
        report.cause = "打印机已暂停";
    }
    return report;
}

// The document of job `jobId`, sent a piece at a time so that a job given up stops between two;
// the service's answer, or null.
Ipp sendDocument(Connection& connection, const PrintRequest& request, const std::string& queue,
                 int jobId, JobProgress& progress) {
    Ipp send = jobRequest(IPP_OP_SEND_DOCUMENT, queue, jobId);
    ippAddString(send.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "document-name", nullptr, "form.pdf");
    ippAddString(send.get(), IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                 CUPS_FORMAT_PDF);
    ippAddBoolean(send.get(), IPP_TAG_OPERATION, "last-document", 1);
    const std::string resource = printerResource(queue);
    connection.patience().restart();
    if (cupsSendRequest(connection.http(), send.get(), resource.c_str(), 0) !=
        HTTP_STATUS_CONTINUE) {
        return nullptr;
    }
    for (std::size_t sent = 0; sent < request.pdf.size(); sent += kSendAtOnce) {
        if (progress.givenUp) {
            return nullptr;
        }
        const std::size_t piece = std::min(kSendAtOnce, request.pdf.size() - sent);
        connection.patience().restart();
        if (cupsWriteRequestData(connection.http(), request.pdf.data() + sent, piece) !=
            HTTP_STATUS_CONTINUE) {
            return nullptr;
        }
    }
    connection.patience().restart();
    return Ipp(cupsGetResponse(connection.http(), resource.c_str()));
}

class CupsPrintService final : public PrintService {
public:
    explicit CupsPrintService(std::chrono::milliseconds patience)
        : m_patience(patience) {}
    std::chrono::milliseconds patience() const override { return m_patience; }

    ServiceState state() override {
        Connection connection(m_patience);
        if (!connection) {
            return ServiceState::Absent;
        }
        const Ipp answer = connection.ask(Ipp(ippNewRequest(IPP_OP_CUPS_GET_DEFAULT)));
        // "No default printer" is an answer too.
        return answer ? ServiceState::Answering : ServiceState::Silent;
    }

    MediaReport mediaOf(const std::string& queue) override {
        MediaReport report;
        Connection connection(m_patience);
        if (!connection) {
            report.fault = ServiceFault::Unreachable;
            return report;
        }
        Ipp request = requestFor(IPP_OP_GET_PRINTER_ATTRIBUTES, queue);
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                     nullptr, "media-supported");
        const Ipp answer = connection.ask(std::move(request));
        if (!succeeded(answer)) {
            report.fault = faultOf(answer, connection.patience());
            if (report.fault == ServiceFault::Refused) {
                report.cause = causeOfRefusal(answer);
            }
            return report;
        }
        if (ipp_attribute_t* media =
                ippFindAttribute(answer.get(), "media-supported", IPP_TAG_ZERO)) {
            for (int i = 0; i < ippGetCount(media); ++i) {
                if (const char* name = ippGetString(media, i, nullptr)) {
                    report.media.emplace_back(name);
                }
            }
        }
        return report;
    }

    JobReport submit(const PrintRequest& request, JobProgress& progress) override {
        const PrinterName name = splitPrinterName(request.printer);
        Connection connection(m_patience, &progress);
        if (!connection) {
            return failed(ServiceFault::Unreachable);
        }
        // libcups keeps the question's callback for this thread, which is the job's alone.
        PasswordQuestion question{request, connection.patience(), {}};
        cupsSetPasswordCB2(answerPassword, &question);
        JobReport report = handOver(connection, request, name, progress);
        cupsSetPasswordCB2(nullptr, nullptr);
        return report;
    }

private:
    JobReport handOver(Connection& connection, const PrintRequest& request, const PrinterName& name,
                       JobProgress& progress) {
        std::vector<SavedOption> saved;
        if (!name.instance.empty() && !savedOptions(connection, name, saved)) {
            return failed(connection.patience().ranOut ? ServiceFault::Silent
                                                       : ServiceFault::PrinterNotFound);
        }
        Ipp create = requestFor(IPP_OP_CREATE_JOB, name.queue);
        ippAddString(create.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                     request.jobName.c_str());
        const JobOptions job = jobOptionsFor(request, saved);
        const bool heldByUs = job.heldUntilLetGo;
        cups_option_t* options = nullptr;
        int count = 0;
        for (const auto& [option, value] : job.options) {
            count = cupsAddOption(option.c_str(), value.c_str(), count, &options);
        }
        cupsEncodeOptions2(create.get(), count, options, IPP_TAG_OPERATION);
        cupsEncodeOptions2(create.get(), count, options, IPP_TAG_JOB);
        cupsFreeOptions(count, options);
        const Ipp created = connection.ask(std::move(create), printerResource(name.queue));
        ipp_attribute_t* id = succeeded(created)
                                  ? ippFindAttribute(created.get(), "job-id", IPP_TAG_INTEGER)
                                  : nullptr;
        if (id == nullptr) {
            return succeeded(created) ? failed(ServiceFault::Refused, "打印服务没有给出任务号")
                                      : failedRequest(created, connection.patience());
        }
        const int jobId = ippGetInteger(id, 0);
        if (!heldByUs) {
            progress.mayPrint = true; // to print when the clerk chose, once its document is in
        }
        const Ipp sent = sendDocument(connection, request, name.queue, jobId, progress);
        if (!succeeded(sent)) {
            JobReport report = failedRequest(sent, connection.patience());
            if (progress.givenUp) {
                report.fault = ServiceFault::Silent; // stopped sending: its time ran out
            }
            cancelJob(m_patience, name.queue, jobId, progress);
            return report;
        }
        if (heldByUs) {
            progress.mayPrint = true;
            if (progress.givenUp) {
                cancelJob(m_patience, name.queue, jobId, progress);
                return failed(ServiceFault::Silent);
            }
            const Ipp released = connection.ask(jobRequest(IPP_OP_RELEASE_JOB, name.queue, jobId));
            if (!succeeded(released)) {
                JobReport report = failedRequest(released, connection.patience());
                cancelJob(m_patience, name.queue, jobId, progress);
                return report;
            }
        }
        JobReport report = followJob(connection, name.queue, jobId);
        if (progress.givenUp) {
            // Said to have failed meanwhile: it should not print unannounced, if it is not too
            // late.
            cancelJob(m_patience, name.queue, jobId, progress);
            return failed(ServiceFault::Silent);
        }
        return report;
    }

    std::chrono::milliseconds m_patience;
};

} // namespace

std::shared_ptr<PrintService> cupsPrintService(std::chrono::milliseconds patience) {
    return std::make_shared<CupsPrintService>(patience);
}

} // namespace parvelin::print
