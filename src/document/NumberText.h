// Numbers as the user types them into edit boxes: decimal, rounded half to even, range-checked.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarrox {

// The whole number that `text` names, or nothing when it is empty, not a decimal number, or
// outside min..max once rounded. Blanks around the number are allowed; halves round to the
// even neighbour (12.5 -> 12, 13.5 -> 14).
std::optional<int32_t> ParseRoundedDecimal(std::string_view text, int32_t min, int32_t max);

inline std::optional<int16_t> ParseInt16(std::string_view text) {
    auto v = ParseRoundedDecimal(text, INT16_MIN, INT16_MAX);
    if (!v) return std::nullopt;
    return static_cast<int16_t>(*v);
}

} // namespace tarrox
