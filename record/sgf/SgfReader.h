// Reading SGF files from other Go editors (and wxl's own export) into a game
// record. The bytes are untrusted: the parser runs as a loop over the text
// with a few counters as its only state, so no input can exhaust the stack,
// and nothing is sized from a number the file states. A node is held only
// in the few bytes a value of it that the record needs, and what is dropped
// is counted, not stored, so memory follows the record, not the text.
//
// What becomes the record is the main line of the first game tree: each
// node's setup stones (AB, AW) and then its moves (B, W, passes as [] or
// [tt]), one entry each, with a pass put in front of any stone whose turn it
// is not, so that replay gives every stone its colour. A node that holds a
// WX entry (see SgfWriter.h) is that entry exactly. Everything else is
// dropped and counted, unless a story is asked for: then the root's game
// information and the main line's comments are kept in it (GameStory.h),
// their text bounded by the file's; variations' comments never are, nor
// game information beyond thousands of properties, which is dropped.
#pragma once

#include "record/MoveRecord.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct GameStory;

// The largest SGF file read. Real games are a few kilobytes; this leaves room
// for huge collections and bounds what a hostile file can cost.
inline constexpr std::size_t kMaxSgfBytes = std::size_t{64} << 20;

// Why a file is not read: the reason as the user is told it.
class CSgfError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a text longer than kMaxSgfBytes is refused with.
CSgfError TooLargeForAGameRecord();

struct SgfImport {
    MoveRecord moves;
    // What the record cannot hold.
    std::int64_t nVariations = 0;    // branches off the main line
    std::int64_t nOtherGames = 0;    // game trees after the first
    std::int64_t nComments = 0;      // C
    std::int64_t nMarkup = 0;        // marks, labels, lines, territory
    std::int64_t nClearedPoints = 0; // AE
    std::int64_t nOtherProperties = 0;
    std::vector<std::string> otherNames;  // the first few kinds, in order seen
    bool bMoreOtherNames = false;         // and there are kinds beyond them
    // Passes put in so that each stone keeps its colour.
    std::int64_t nInsertedPasses = 0;
};

// Reads a whole SGF file. Text in a character set other than UTF-8, as its
// CA property declares it, is converted first, into at most 256 MB of UTF-8
// (4 bytes a byte of the largest file). With pStory, the story is
// made anew, and what it keeps is not counted as dropped. Throws CSgfError
// (*pStory then holds part of the game).
SgfImport ReadSgf(std::string_view bytes, GameStory* pStory = nullptr);

// One line for the user: the entries read, what was dropped and inserted.
std::string DescribeImport(const SgfImport& import);
