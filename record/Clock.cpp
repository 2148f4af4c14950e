#include "record/Clock.h"

#include <ctime>

namespace parvelin::record {

Moment SystemClock::now() const {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return Moment{std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                              std::chrono::month{unsigned(local.tm_mon + 1)},
                                              std::chrono::day{unsigned(local.tm_mday)}},
                  static_cast<std::int64_t>(seconds)};
}

int firstRandomAfterSeed(std::int64_t seed) {
    // srand keeps the low 32 bits of the seed; rand steps state = state * 214013 + 2531011 and
    // returns bits 16..30.
    std::uint32_t state = static_cast<std::uint32_t>(seed);
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

} // namespace parvelin::record
