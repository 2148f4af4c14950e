#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>

namespace parvelin::disk {

// What `readSome` gives until its end, but never more than `maxBytes` + 1 bytes: a longer input is
// cut there, so that the caller tells it from one that fits without holding all of it. Each system
// reads through its own call: `readSome(into, room)` reads at most `room` bytes into `into` and
// says how many (0 at the end), or nothing where the read failed. `expected` sizes the first read.
template <typename ReadSome>
std::optional<std::string> readCapped(std::size_t maxBytes, std::size_t expected,
                                      ReadSome readSome) {
    std::string content(std::min(expected, maxBytes) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (filled > maxBytes) {
                break;
            }
            content.resize(std::min(content.size() * 2, maxBytes + 1));
        }
        const std::optional<std::size_t> got =
            readSome(content.data() + filled, content.size() - filled);
        if (!got) {
            return std::nullopt;
        }
        if (*got == 0) {
            break;
        }
        filled += *got;
    }
    content.resize(filled);
    return content;
}

} // namespace parvelin::disk
