// Game records as bytes for tests, spelled out here the way the file lays them
// down rather than made by the program's own encoder, so that comparing with
// them checks the encoder as well:
//   count    u16, or the escape 0xFFFF then u32
//   entries  x and y of each entry as i32
// all little-endian.
#pragma once

#include "record/MoveRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// The two forms of a count: the one the program writes (16 bits below 65535,
// the escaped 32 bits from there on), and the escaped one, which a reader
// must accept for any count.
enum class CountForm { shortest, escaped };

std::string CountBytes(std::uint32_t nCount, CountForm form = CountForm::shortest);

// The entries alone, without a count.
std::string EntryBytes(const std::vector<MovePoint>& entries);

// A whole record: the count of entries, then the entries.
std::string RecordBytes(const std::vector<MovePoint>& entries, CountForm form = CountForm::shortest);

}  // namespace testing_support
