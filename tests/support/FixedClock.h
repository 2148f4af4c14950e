#pragma once

#include "app/Clock.h"

namespace parvelin::test {

// A clock that always tells the same moment.
class FixedClock final : public app::Clock {
public:
    explicit FixedClock(std::chrono::year_month_day date, std::int64_t epochSeconds = 1'000'000)
        : m_moment{date, epochSeconds} {}
    app::Moment now() const override { return m_moment; }

private:
    app::Moment m_moment;
};

} // namespace parvelin::test
