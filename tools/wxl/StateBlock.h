// The text form of a document's state that `wxl` prints: the 19 board rows,
// then the position, caption, capture counters, indicator cells and modified
// flag, and optionally the group list.
#pragma once

#include <string>

class CClientDoc;

// The caption the board shows under the position: colour name, then
// "%d.%d%d" of position, displayed x and displayed y; "-" at position 0.
std::string CaptionText(const CClientDoc& doc);

std::string FormatStateBlock(const CClientDoc& doc, bool bWithGroups);
