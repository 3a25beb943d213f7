// A point of the board grid or a record entry: a pair of signed 32-bit
// integers, x growing to the right and y growing downwards.
#pragma once

#include <cstdint>

struct CPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};
