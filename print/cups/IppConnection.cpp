#include "print/cups/IppConnection.h"

namespace parvelin::print::ipp {

namespace {

constexpr int kConnectMilliseconds = 3000;
// One request and its answer, beyond the caller's patience: a job's pages (some hundred
// kilobytes) may take a while to go over to a busy service, but not forever.
constexpr std::chrono::seconds kRequestLimitBeyondPatience{2};
// A job whose caller gave up while it was being let go waits this long for the service's late
// answer, so as to cancel the job after all.
constexpr std::chrono::minutes kLateAnswerLimit{5};

int keepWaiting(http_t*, void* patience) {
    return static_cast<Patience*>(patience)->keepWaiting() ? 1 : 0;
}

// The service's refusal in the clerk's words, where it has better ones than its own.
std::string causeOf(ipp_status_t status) {
    switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return "打印机不接受新的打印任务";
    case IPP_STATUS_ERROR_NOT_FOUND:
        return "找不到该打印机";
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        return "没有使用该打印机的权限";
    default: {
        const char* message = cupsLastErrorString();
        return message != nullptr && *message != '\0' ? message : "打印服务拒绝了该任务";
    }
    }
}

// libcups ends a request without an answer also where the clerk's password was refused or not
// given.
bool passwordRefused() {
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_FORBIDDEN:
        return true;
    default:
        return false;
    }
}

} // namespace

bool Patience::keepWaiting() {
    bool wait = Clock::now() < deadline;
    if (progress != nullptr && progress->givenUp) {
        // Unwanted now: a held job is left to be cancelled, but one being let go is heard out.
        wait = progress->mayPrint && Clock::now() < deadline + kLateAnswerLimit;
    }
    ranOut = ranOut || !wait;
    return wait;
}

Connection::Connection(std::chrono::milliseconds patience, JobProgress* progress) {
    m_patience.limit = patience + kRequestLimitBeyondPatience;
    m_patience.progress = progress;
    m_patience.restart();
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                          kConnectMilliseconds, nullptr);
    if (m_http != nullptr) {
        httpSetTimeout(m_http, 1.0, ipp::keepWaiting, &m_patience);
    }
}

Connection::~Connection() {
    if (m_http != nullptr) {
        httpClose(m_http);
    }
}

std::string printerUri(const std::string& queue) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.c_str());
    return uri;
}

// The queue's path on the service, as coded in its address.
std::string printerResource(const std::string& queue) {
    const std::string uri = printerUri(queue);
    const std::size_t path = uri.find("/printers/");
    return path == std::string::npos ? "/" : uri.substr(path);
}

Ipp requestFor(ipp_op_t operation, const std::string& queue) {
    Ipp request(ippNewRequest(operation));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri(queue).c_str());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

Ipp jobRequest(ipp_op_t operation, const std::string& queue, int jobId) {
    Ipp request = requestFor(operation, queue);
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
    return request;
}

bool succeeded(const Ipp& answer) {
    return answer && ippGetStatusCode(answer.get()) <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

ServiceFault faultOf(const Ipp& answer, const Patience& patience) {
    if (!answer) {
        if (passwordRefused()) {
            return ServiceFault::Refused;
        }
        return patience.ranOut ? ServiceFault::Silent : ServiceFault::ConnectionLost;
    }
    return ippGetStatusCode(answer.get()) == IPP_STATUS_ERROR_NOT_FOUND
               ? ServiceFault::PrinterNotFound
               : ServiceFault::Refused;
}

std::string causeOfRefusal(const Ipp& answer) {
    return answer ? causeOf(ippGetStatusCode(answer.get())) : causeOf(IPP_STATUS_ERROR_FORBIDDEN);
}

} // namespace parvelin::print::ipp
