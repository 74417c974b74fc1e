#include "document/NumberText.h"

#include <charconv>
#include <cmath>

namespace tarrox {

std::optional<int32_t> ParseRoundedDecimal(std::string_view text, int32_t min, int32_t max) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    // from_chars takes a minus but no plus sign, so a plus is taken off here, and only one sign.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) return std::nullopt;
    }
    if (text.empty()) return std::nullopt;

    double value = 0;
    // The fixed format refuses hex; infinities and NaN are refused below.
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;

    double rounded = std::nearbyint(value); // the default rounding mode sends halves to even
    if (rounded < min || rounded > max) return std::nullopt;
    return static_cast<int32_t>(rounded);
}

} // namespace tarrox
