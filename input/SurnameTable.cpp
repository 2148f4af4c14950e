#include "input/SurnameTable.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace parvelin::input {

namespace {

#include "input/SurnameTable.inc"

constexpr char kReadingSeparator = '/';

struct Surname {
    record::GbkString surname;
    std::vector<record::GbkString> readings;
};

std::vector<Surname> surnamesInGbk() {
    std::vector<Surname> surnames;
    for (const SurnameLine& line : kSurnameLines) {
        const auto surname = record::utf8ToGbk(line.surname);
        if (!surname) {
            throw std::logic_error("surname table: no GBK form of " + std::string(line.surname));
        }
        Surname entry{*surname, {}};
        for (std::size_t start = 0;;) {
            const std::size_t end = line.readings.find(kReadingSeparator, start);
            entry.readings.emplace_back(line.readings.substr(start, end - start));
            if (end == std::string_view::npos) {
                break;
            }
            start = end + 1;
        }
        surnames.push_back(std::move(entry));
    }
    // The lines are in code point order; lookups go by the GBK bytes.
    std::sort(surnames.begin(), surnames.end(),
              [](const Surname& a, const Surname& b) { return a.surname < b.surname; });
    return surnames;
}

const Surname* find(record::GbkStringView surname) {
    static const std::vector<Surname> surnames = surnamesInGbk();
    const auto found = std::lower_bound(
        surnames.begin(), surnames.end(), surname,
        [](const Surname& entry, record::GbkStringView wanted) { return entry.surname < wanted; });
    return found != surnames.end() && found->surname == surname ? &*found : nullptr;
}

} // namespace

std::span<const SurnameLine> surnameLines() {
    return kSurnameLines;
}

std::optional<LeadingSurname> leadingSurname(record::GbkStringView name) {
    // Every surname's bytes start with a lead byte, so a surname that matches the name's first
    // bytes matches whole characters of it.
    constexpr std::size_t kCharacter = 2;
    for (const std::size_t length : {2 * kCharacter, kCharacter}) {
        if (name.size() < length) {
            continue;
        }
        if (const Surname* surname = find(name.substr(0, length))) {
            return LeadingSurname{length, surname->readings};
        }
    }
    return std::nullopt;
}

} // namespace parvelin::input
