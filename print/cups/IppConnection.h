#pragma once

#include "print/PrintService.h"

#include <chrono>
#include <cups/cups.h>
#include <memory>
#include <string>

// Requests to the print service over a connection of the program's own, each with a time limit.
namespace parvelin::print::ipp {

using Clock = std::chrono::steady_clock;

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

// How long a connection's requests may wait, asked by libcups each second it waits.
struct Patience {
    Clock::duration limit;
    Clock::time_point deadline;
    JobProgress* progress = nullptr; // of a job, whose caller may give it up
    bool ranOut = false;

    void restart() {
        deadline = Clock::now() + limit;
        ranOut = false;
    }
    // Whether a request that has waited another second may go on waiting.
    bool keepWaiting();
};

// A connection of its own to the print service (where CUPS_SERVER or the client configuration
// points); false where none could be made.
class Connection {
public:
    // Its requests wait a little longer than `patience`, the caller's, so that an answer on its
    // way is not cut off; those of a job given up wait as Patience says.
    explicit Connection(std::chrono::milliseconds patience, JobProgress* progress = nullptr);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    explicit operator bool() const { return m_http != nullptr; }
    http_t* http() const { return m_http; }
    Patience& patience() { return m_patience; }

    // A request and its answer; null where none came.
    Ipp ask(Ipp request, const std::string& resource = "/") {
        m_patience.restart();
        return Ipp(cupsDoRequest(m_http, request.release(), resource.c_str()));
    }

private:
    Patience m_patience;
    http_t* m_http = nullptr;
};

// The queue's address and its path on the service.
std::string printerUri(const std::string& queue);
std::string printerResource(const std::string& queue);
// A request about a queue, or about one of its jobs, on behalf of this user.
Ipp requestFor(ipp_op_t operation, const std::string& queue);
Ipp jobRequest(ipp_op_t operation, const std::string& queue, int jobId);

bool succeeded(const Ipp& answer);
// Why a request came to nothing: no answer (in time, or at all), or the answer no.
ServiceFault faultOf(const Ipp& answer, const Patience& patience);
// A refusal in the clerk's words, whether the service answered or libcups ended the request.
std::string causeOfRefusal(const Ipp& answer);

} // namespace parvelin::print::ipp
