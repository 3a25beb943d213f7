// What a replay page needs of every step of a game, computed by the document's
// own replay when the page is made, so that the page itself knows no rules:
// the cells each step changes, the entry's point, whether the last-move marker
// shows, and the parts of the caption. Packed as bytes, one step after the
// other (the page decodes them; tools/wxl/replay.html):
//
//   header   bits 0-1  colour name index; 3: a varint with the index follows
//            bit 2     the marker shows around the entry's point
//            bit 3     the caption's coordinates follow explicitly (two
//                      zigzag varints, shown x then shown y); else they are
//                      the entry's, x - 10 and 10 - y
//            bit 4     the entry's point is the first change's cell; else a
//                      varint with its grid cell (x * 22 + y) follows
//            bits 5-7  number of changed cells; 7: a varint with it follows
//   [name index varint] [count varint]
//   changes  varint each: board cell ((x - 1) * 19 + y - 1) * 4 + stone,
//            stone 0 none, 1 black, 2 white, 3 flower
//   [entry cell varint] [shown x, shown y zigzag varints]
//
// A plain move takes three bytes, a capture two more a stone, a pass two.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CClientDoc;

struct ReplaySteps {
    std::vector<std::string> colourNames;  // in the order first met
    std::string bytes;
};

// Replays doc from position 0 to the end of its record, one step at a time,
// and encodes every step. Leaves doc at the end.
ReplaySteps EncodeReplaySteps(CClientDoc& doc);

// The stone code of a board cell value: 0 for none (and for any value that
// draws no stone), 1 black, 2 white, 3 flower.
int StoneCode(int value);
