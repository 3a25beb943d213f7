// The two fuzzed entry points, shared by the libFuzzer targets and the test
// that replays their corpus. Each runs one input against a fresh document and
// checks what must hold afterwards; the answer is the first broken rule, or
// empty when every rule held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CClientDoc;

// The input is a .wxl file. It is opened as the program's Open does; a file
// the format accepts must load with exactly its entries, any other file must
// be refused with the format message. A loaded game is replayed to the end,
// stepped back, saved in the canonical layout and loaded again unchanged.
std::string RunRecordLoadInput(const std::uint8_t* data, std::size_t size);

// The input is the stdin of `wxl session`, one command a line. Path arguments
// of open and save are rewritten to files of a private scratch folder.
std::string RunSessionInput(const std::uint8_t* data, std::size_t size);

// Shared checks, empty when they hold: the replay position lies in the
// record, every entry is a board point or a mark, every cell holds a value
// its place allows.
std::string CheckDocument(const CClientDoc& doc);
// The board and chains equal those of a fresh replay of the first
// m_nCurMove entries (what step back rebuilds).
std::string CheckAgainstReplay(const CClientDoc& doc);

// A folder of this process's own, emptied by ClearScratchFolder.
const std::string& ScratchFolder();
void ClearScratchFolder();
