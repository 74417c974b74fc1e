// The one rounding rule the game's layout uses: halves go to the even neighbour.
#pragma once

#include <cstdint>

namespace tarrox {

// twice / 2, rounded to the nearest integer with halves going to the even one.
inline int64_t HalfToEven(int64_t twice) {
    int64_t down = twice >= 0 ? twice / 2 : -((-twice + 1) / 2);
    if (twice % 2 == 0 || down % 2 == 0) return down;
    return down + 1;
}

} // namespace tarrox
