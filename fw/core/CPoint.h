// A point of the board grid or a record entry: a pair of signed 32-bit
// integers, x growing to the right and y growing downwards.
#pragma once

#include <cstdint>

// Trivial, so that a record read from a file is not zeroed before the read
// fills it; CPoint{} is (0, 0).
struct CPoint {
    std::int32_t x;
    std::int32_t y;

    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};
