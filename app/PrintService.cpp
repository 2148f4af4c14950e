#include "app/PrintService.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cups/cups.h>
#include <future>
#include <memory>
#include <thread>

namespace parvelin::app {

namespace {

constexpr int kConnectMilliseconds = 3000;
// Requests after the connection: a job's page (some hundred kilobytes) may take a while to go
// over to a busy service, but not forever.
constexpr double kRequestSeconds = 10.0;
constexpr const char* kA4 = "iso_a4_210x297mm"; // PWG 5101.1 self-describing name
// The options a job of the form sets itself, whatever the printer's properties say.
constexpr std::array<std::string_view, 7> kFormDecides = {
    "media", "PageSize", "PageRegion", "fit-to-page", "print-scaling", "copies", "job-name"};

struct ConnectionCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, ConnectionCloser>;
struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

int giveUp(http_t*, void*) {
    return 0; // ends the request that has waited its time
}

Connection connect(double requestSeconds) {
    Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                 kConnectMilliseconds, nullptr));
    if (http) {
        httpSetTimeout(http.get(), requestSeconds, giveUp, nullptr);
    }
    return http;
}

std::string printerUri(const std::string& printer) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", printer.c_str());
    return uri;
}

Ipp requestFor(ipp_op_t operation, const std::string& printer) {
    Ipp request(ippNewRequest(operation));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri(printer).c_str());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

// The service's own words where no better ones are known.
std::string causeOfLastError() {
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return "打印机不接受新的打印任务";
    case IPP_STATUS_ERROR_NOT_FOUND:
        return "找不到该打印机";
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        return "没有使用该打印机的权限";
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_INTERNAL:
        return "打印服务无响应";
    default: {
        const char* message = cupsLastErrorString();
        return message != nullptr && *message != '\0' ? message : "打印服务拒绝了该任务";
    }
    }
}

JobReport failed(std::string cause) {
    return {JobReport::Outcome::Failed, std::move(cause)};
}

// A job just handed over: taken, or held by a printer that has stopped.
JobReport followJob(http_t* http, const std::string& printer, int jobId) {
    Ipp request = requestFor(IPP_OP_GET_JOB_ATTRIBUTES, printer);
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
    Ipp job(cupsDoRequest(http, request.release(), "/"));
    Ipp printerState(
        cupsDoRequest(http, requestFor(IPP_OP_GET_PRINTER_ATTRIBUTES, printer).release(), "/"));
    ipp_attribute_t* state = job ? ippFindAttribute(job.get(), "job-state", IPP_TAG_ENUM) : nullptr;
    if (state == nullptr) {
        return {JobReport::Outcome::Taken, {}}; // handed over; what follows is the printer's
    }
    switch (static_cast<ipp_jstate_t>(ippGetInteger(state, 0))) {
    case IPP_JSTATE_ABORTED:
        return failed("打印任务已中止");
    case IPP_JSTATE_CANCELED:
        return failed("打印任务已取消");
    case IPP_JSTATE_HELD:
        return {JobReport::Outcome::Waiting, "打印任务被挂起"};
    default:
        break;
    }
    ipp_attribute_t* printerStateValue =
        printerState ? ippFindAttribute(printerState.get(), "printer-state", IPP_TAG_ENUM)
                     : nullptr;
    if (printerStateValue != nullptr && ippGetInteger(printerStateValue, 0) == IPP_PSTATE_STOPPED) {
        return {JobReport::Outcome::Waiting, "打印机已暂停"};
    }
    return {JobReport::Outcome::Taken, {}};
}

} // namespace

PrintServiceState probePrintService(std::chrono::milliseconds limit) {
    auto answer = std::make_shared<std::promise<PrintServiceState>>();
    std::future<PrintServiceState> answered = answer->get_future();
    std::thread([answer] {
        const Connection http = connect(kRequestSeconds);
        if (!http) {
            answer->set_value(PrintServiceState::Absent);
            return;
        }
        Ipp request(ippNewRequest(IPP_OP_CUPS_GET_DEFAULT));
        Ipp response(cupsDoRequest(http.get(), request.release(), "/"));
        answer->set_value(response || cupsLastError() < IPP_STATUS_ERROR_INTERNAL
                              ? PrintServiceState::Answering
                              : PrintServiceState::Silent);
    }).detach();
    return answered.wait_for(limit) == std::future_status::ready ? answered.get()
                                                                 : PrintServiceState::Silent;
}

bool printerOffersA4(const std::string& printer) {
    const Connection http = connect(kRequestSeconds);
    if (!http) {
        return true;
    }
    Ipp request = requestFor(IPP_OP_GET_PRINTER_ATTRIBUTES, printer);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "media-supported");
    Ipp response(cupsDoRequest(http.get(), request.release(), "/"));
    ipp_attribute_t* media =
        response ? ippFindAttribute(response.get(), "media-supported", IPP_TAG_ZERO) : nullptr;
    if (media == nullptr) {
        return true;
    }
    for (int i = 0; i < ippGetCount(media); ++i) {
        const char* name = ippGetString(media, i, nullptr);
        if (name != nullptr && std::strncmp(name, kA4, std::strlen(kA4)) == 0) {
            return true;
        }
    }
    return false;
}

JobReport printPdf(const std::string& printer, const std::string& jobName, std::string_view pdf,
                   int copies, bool fitToPaper, const std::vector<PrinterOption>& chosen) {
    const Connection http = connect(kRequestSeconds);
    if (!http) {
        return failed("无法连接打印服务");
    }
    cups_option_t* options = nullptr;
    int count = 0;
    for (const auto& [name, value] : chosen) {
        if (std::find(kFormDecides.begin(), kFormDecides.end(), name) == kFormDecides.end()) {
            count = cupsAddOption(name.c_str(), value.c_str(), count, &options);
        }
    }
    if (fitToPaper) {
        count = cupsAddOption("print-scaling", "fit", count, &options);
        count = cupsAddOption("fit-to-page", "true", count, &options);
    } else {
        count = cupsAddOption("media", kA4, count, &options);
    }
    count = cupsAddIntegerOption("copies", copies, count, &options);
    const int jobId = cupsCreateJob(http.get(), printer.c_str(), jobName.c_str(), count, options);
    cupsFreeOptions(count, options);
    if (jobId == 0) {
        return failed(causeOfLastError());
    }
    if (cupsStartDocument(http.get(), printer.c_str(), jobId, "form.pdf", CUPS_FORMAT_PDF, 1) !=
            HTTP_STATUS_CONTINUE ||
        cupsWriteRequestData(http.get(), pdf.data(), pdf.size()) != HTTP_STATUS_CONTINUE ||
        cupsFinishDocument(http.get(), printer.c_str()) > IPP_STATUS_OK_EVENTS_COMPLETE) {
        const std::string cause = causeOfLastError();
        cupsCancelJob2(http.get(), printer.c_str(), jobId, 0);
        return failed(cause);
    }
    return followJob(http.get(), printer, jobId);
}

} // namespace parvelin::app
