// The fuzzed entry points, shared by the libFuzzer targets and the test
// that replays their corpus. Each runs one input against a fresh document and
// checks what must hold afterwards; the answer is the first broken rule, or
// empty when every rule held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CClientDoc;

// The input is the bytes of a .wxl file, decoded from memory into a document
// as the program's Open decodes a file's content. Bytes the format accepts
// must load as exactly their entries; any others must be refused for the cause
// the format gives (cut short, or a value it does not allow) and leave the
// document's record as it was. A loaded game is replayed to the end, stepped
// back, stored in the canonical layout and loaded again unchanged. What Open
// adds around the decoder (an empty file is a new game, the messages) is left
// to the file tests.
std::string RunRecordLoadInput(const std::uint8_t* data, std::size_t size);

// The input is the stdin of `wxl session`, one command a line. Path arguments
// of open and save are rewritten to files of a private scratch folder, which
// is emptied before each input.
std::string RunSessionInput(const std::uint8_t* data, std::size_t size);

// The input is an SGF file, read as `wxl import` reads one. It is refused
// with a reason, or it gives entries that are all board points or marks and
// that WriteSgf exports so that they read back the same, nothing dropped or
// inserted. Read with its story, it gives the same entries, and its export
// with the story reads back as the same entries and story.
std::string RunSgfInput(const std::uint8_t* data, std::size_t size);

// Shared checks, empty when they hold: the replay position lies in the
// record, every entry is a board point or a mark, every cell holds a value
// its place allows.
std::string CheckDocument(const CClientDoc& doc);
// The board and chains equal those of a fresh replay of the first
// GetCurMove() entries (what step back rebuilds).
std::string CheckAgainstReplay(const CClientDoc& doc);
