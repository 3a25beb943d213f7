// The benchmarks' random numbers. A seed gives the same sequence on every
// machine and standard library, which the distributions of <random> do not
// promise, so a record named by its seed is the same record everywhere.
#pragma once

#include <cstdint>

class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t nSeed) : m_nState(nSeed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (m_nState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 <= result < nBound; the modulo bias is far below anything measured here.
    int Below(int nBound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(nBound)); }

private:
    std::uint64_t m_nState;
};
