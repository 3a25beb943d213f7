// A set of grid cells, one bit a cell, visited in cell order.
#pragma once

#include "model/BoardGrid.h"

#include <array>
#include <bit>
#include <cstdint>

class CCellSet {
public:
    bool Contains(int nCell) const { return (m_words[nCell >> 6] >> (nCell & 63)) & 1; }
    void Insert(int nCell) { m_words[nCell >> 6] |= std::uint64_t{1} << (nCell & 63); }
    void Clear() { m_words.fill(0); }
    template <typename Visit>
    void ForEach(Visit visit) const
    {
        for (int nWord = 0; nWord < WORDS; ++nWord)
            for (std::uint64_t bits = m_words[nWord]; bits != 0; bits &= bits - 1)
                visit(nWord * 64 + std::countr_zero(bits));
    }
    friend bool operator==(const CCellSet&, const CCellSet&) = default;

private:
    static constexpr int WORDS = (GRID_CELLS + 63) / 64;
    std::array<std::uint64_t, WORDS> m_words{};
};
