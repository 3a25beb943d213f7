// A game record as SGF text (FF[4], 19 x 19), for other Go programs. Black
// and white stones and their passes are ordinary moves; a flying bomb and a
// flower stone have no SGF move, so they become nodes that any editor opens:
// the bomb a comment, the flower stone a marked point with a comment, both
// in Chinese and English. Every
// node after the root holds its record entry exactly in the private property
// WX[x:y], from which ReadSgf gives back the same record. The name has two
// letters because cgoban refuses a file with a longer one.
#pragma once

#include "record/MoveRecord.h"

#include <string>
#include <string_view>

inline constexpr std::string_view kSgfEntryProperty = "WX";

// The program's name and version as SGF's AP property holds them.
std::string SgfApplication();

std::string WriteSgf(const MoveRecord& moves);
