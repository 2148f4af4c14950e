#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace parvelin::print {

// Asks `call` on a thread of its own and waits at most `limit` for its answer, calling `pump`
// every few milliseconds meanwhile, so that the window that waits goes on answering its events.
// Time that `pump` spends on something else, such as a question the call put to the clerk, is
// not counted against the limit.
// A call that has not answered in time is left to end on its own thread (it holds all it needs),
// and its late answer is dropped: std::nullopt says the time ran out.
template <typename Answer>
std::optional<Answer> answerWithin(std::chrono::milliseconds limit,
                                   const std::function<void()>& pump,
                                   std::function<Answer()> call) {
    struct Shared {
        std::mutex mutex;
        std::condition_variable answered;
        std::optional<Answer> answer;
    };
    const auto shared = std::make_shared<Shared>();
    std::thread([shared, call = std::move(call)] {
        Answer answer = call();
        const std::lock_guard lock(shared->mutex);
        shared->answer = std::move(answer);
        shared->answered.notify_all();
    }).detach();

    constexpr std::chrono::milliseconds kPumpEvery{20};
    auto deadline = std::chrono::steady_clock::now() + limit;
    std::unique_lock lock(shared->mutex);
    while (!shared->answer) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return std::nullopt;
        }
        shared->answered.wait_until(lock, std::min(deadline, now + kPumpEvery));
        if (!shared->answer && pump) {
            lock.unlock();
            const auto pumped = std::chrono::steady_clock::now();
            pump();
            const auto spent = std::chrono::steady_clock::now() - pumped;
            if (spent > kPumpEvery) {
                deadline += spent;
            }
            lock.lock();
        }
    }
    return std::move(shared->answer);
}

} // namespace parvelin::print
