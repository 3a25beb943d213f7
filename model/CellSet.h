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
    // Whether the set holds exactly one cell.
    bool IsSingle() const
    {
        int nWords = 0;
        for (const std::uint64_t word : m_words)
            if (word != 0 && (++nWords > 1 || (word & (word - 1)) != 0))
                return false;
        return nWords == 1;
    }
    int First() const
    {
        for (int nWord = 0; nWord < WORDS; ++nWord)
            if (m_words[nWord] != 0)
                return nWord * 64 + std::countr_zero(m_words[nWord]);
        return -1;
    }
    // The cells of this set that other does not hold.
    CCellSet Without(const CCellSet& other) const
    {
        CCellSet rest;
        for (int nWord = 0; nWord < WORDS; ++nWord)
            rest.m_words[nWord] = m_words[nWord] & ~other.m_words[nWord];
        return rest;
    }
    void InsertAll(const CCellSet& other)
    {
        for (int nWord = 0; nWord < WORDS; ++nWord)
            m_words[nWord] |= other.m_words[nWord];
    }
    std::size_t Hash() const
    {
        std::uint64_t nHash = 0;
        for (const std::uint64_t word : m_words)
            nHash = (nHash ^ word) * 0x9E37'79B9'7F4A'7C15u;
        return static_cast<std::size_t>(nHash ^ (nHash >> 29));
    }
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
