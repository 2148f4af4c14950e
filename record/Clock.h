#pragma once

#include <chrono>
#include <cstdint>

namespace parvelin::record {

// The local date and time plus the seconds since the epoch that seed the draws below. The form,
// the record defaults and the group-number fallback read the time only through this interface,
// so that tests can fix it.
struct Moment {
    std::chrono::year_month_day localDate;
    std::int64_t epochSeconds = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual Moment now() const = 0;
};

class SystemClock final : public Clock {
public:
    Moment now() const override;
};

// The first draw of the program's random numbers after seeding them with `seed`
// (srand(seed); rand() of a C runtime with the 214013/2531011 linear congruential generator),
// 0..32767. Seeding with the current second means that two draws within the same second give the
// same number.
int firstRandomAfterSeed(std::int64_t seed);

} // namespace parvelin::record
