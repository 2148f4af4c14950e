#pragma once

#include "print/PrintService.h"

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace parvelin::test {

// A print service that answers as the test says and keeps what it was asked. A job may be held
// (a service fallen silent, before or after the job was let go to print): it then waits until the
// caller gives it up, and fails as a silent service's job does.
class FakePrintService final : public print::PrintService {
public:
    enum class Hold { None, BeforeLetGo, AfterLetGo };

    // What the service answers.
    std::chrono::milliseconds answerWithin{1500};
    print::MediaReport media;
    print::JobReport job{print::JobReport::Outcome::Taken, print::ServiceFault::None, {}, 42};
    Hold hold = Hold::None;
    bool wantsPassword = false; // of user "clerk", before it takes the job; refused without

    // The password it was given.
    std::optional<std::string> password() const {
        const std::lock_guard lock(m_mutex);
        return m_password;
    }

    std::chrono::milliseconds patience() const override { return answerWithin; }
    print::ServiceState state() override { return print::ServiceState::Answering; }

    print::MediaReport mediaOf(const std::string& queue) override {
        const std::lock_guard lock(m_mutex);
        m_mediaAsked.push_back(queue);
        return media;
    }

    print::JobReport submit(const print::PrintRequest& request,
                            print::JobProgress& progress) override {
        {
            const std::lock_guard lock(m_mutex);
            m_requests.push_back(request);
        }
        if (wantsPassword) {
            const std::optional<std::string> given =
                request.askPassword ? request.askPassword("clerk") : std::nullopt;
            {
                const std::lock_guard lock(m_mutex);
                m_password = given;
            }
            if (!given) {
                return {print::JobReport::Outcome::Failed, print::ServiceFault::Refused,
                        "没有使用该打印机的权限", 0};
            }
        }
        if (hold == Hold::None) {
            return job;
        }
        progress.mayPrint = hold == Hold::AfterLetGo;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!progress.givenUp && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {print::JobReport::Outcome::Failed, print::ServiceFault::Silent, {}, 0};
    }

    // What it was asked, once the calls are over.
    std::vector<std::string> mediaAsked() const {
        const std::lock_guard lock(m_mutex);
        return m_mediaAsked;
    }
    std::vector<print::PrintRequest> requests() const {
        const std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_mediaAsked;
    std::vector<print::PrintRequest> m_requests;
    std::optional<std::string> m_password;
};

} // namespace parvelin::test
