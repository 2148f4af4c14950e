#pragma once

#include "record/GbkText.h"

#include <cstddef>
#include <optional>
#include <span>

namespace parvelin::form {

// The entry a drop-down list selects when a value is loaded into it, by position in the order the
// list shows: the entry equal to the value; else the first entry that begins with the value,
// letters compared without regard to case; else none. An empty value selects none.
// So "外交学会" selects itself, not "外交学会挂靠单位" before it, and "土" not "土家".
std::optional<std::size_t> entryToSelect(std::span<const record::GbkString> entries,
                                         record::GbkStringView value);

} // namespace parvelin::form
