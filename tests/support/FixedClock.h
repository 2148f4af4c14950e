#pragma once

#include "record/Clock.h"

namespace parvelin::test {

// A clock that always tells the same moment.
class FixedClock final : public record::Clock {
public:
    explicit FixedClock(std::chrono::year_month_day date, std::int64_t epochSeconds = 1'000'000)
        : m_moment{date, epochSeconds} {}
    record::Moment now() const override { return m_moment; }
    // For a test that needs a later second (a draw from the clock that must not be repeated).
    void setEpochSeconds(std::int64_t epochSeconds) { m_moment.epochSeconds = epochSeconds; }

private:
    record::Moment m_moment;
};

} // namespace parvelin::test
