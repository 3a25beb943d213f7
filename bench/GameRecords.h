// Deterministic game records for the benchmarks. A seed gives the same record
// on every machine and standard library: the generator is SplitMix64, not the
// distributions of <random>.
#pragma once

#include "record/MoveRecord.h"

#include <cstdint>

// A record as play would produce it. nPasses passes and nBombs bombs stand at
// seeded positions; every other entry is a stone on a point that is empty
// when replay reaches it, half the time next to the previous stone (which
// starts fights, and so captures) and otherwise anywhere. Flower stones left
// by captures never leave the board, so a long record can fill it; a stone
// with no empty point left goes on any board point, as a file may hold.
// Requires nPasses + nBombs <= nEntries.
MoveRecord MakePlayedRecord(int nEntries, int nPasses, int nBombs, std::uint64_t nSeed);

// Stones on random board points with about one pass and one bomb in every
// hundred entries, made without replaying anything: for the file benchmarks,
// where only the size and the validity of the entries matter.
MoveRecord MakeEntryMix(int nEntries, std::uint64_t nSeed);
