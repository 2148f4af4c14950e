#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace parvelin::datafile {

// The bytes of a text, for the byte codecs.
inline std::span<const std::uint8_t> asBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace parvelin::datafile
