// A game record as SGF text (FF[4], 19 x 19), for other Go programs. Black
// and white stones and their passes are ordinary moves; a flying bomb and a
// flower stone have no SGF move, so they become nodes that any editor opens:
// the bomb a comment, the flower stone a marked point with a comment, both
// in Chinese and English. Every
// node after the root holds its record entry exactly in the private property
// WX[x:y], from which ReadSgf gives back the same record. The name has two
// letters because cgoban refuses a file with a longer one.
//
// With the game's story, the root holds its game information and comment,
// and the setup entries as AB and AW (which other editors show as setup, and
// ReadSgf makes the same entries of); each entry's node holds its comment.
#pragma once

#include "GameStory.h"
#include "SgfReader.h"
#include "record/MoveRecord.h"

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kSgfEntryProperty = "WX";

// What the export of a record can take: the root node and the end of the
// game tree at most kSgfFrameBytes, and each entry's node at most
// kSgfLongestEntryNode (a flower stone's: ";MA[ss]C[花 (flower stone)]WX[19:19]"
// and its line break).
inline constexpr std::size_t kSgfFrameBytes = 64;
inline constexpr std::size_t kSgfLongestEntryNode = 38;

// The longest record exported: every file written must be one that
// `wxl import` reads back (at most kMaxSgfBytes), which a record of any
// length .wxl accepts would not be. A record this long is millions of
// entries, far beyond any game another editor could show. A story adds its
// own text, which the caller checks against kMaxSgfBytes.
inline constexpr int kMaxSgfEntries = static_cast<int>((kMaxSgfBytes - kSgfFrameBytes) / kSgfLongestEntryNode);

// The program's name and version as SGF's AP property holds them.
std::string SgfApplication();

// The comment the export puts on the node of an entry that SGF has no move
// for, in Chinese and English: one of the notes below for entry i, empty
// for the others. Requires 0 <= i < moves.GetSize().
inline constexpr std::string_view kSgfBombNote = "扔飞弹 (flying bomb)";
inline constexpr std::string_view kSgfFlowerStoneNote = "花 (flower stone)";
inline constexpr std::string_view kSgfFlowerPassNote = "花 pass (flower pass)";
std::string_view SgfEntryNote(const MoveRecord& moves, int i);

// Requires moves.GetSize() <= kMaxSgfEntries, story.nSetupEntries and every
// comment's entry within the record.
std::string WriteSgf(const MoveRecord& moves, const GameStory& story = {});
