// What the commands that read a game open: a game record (.wxl), or an SGF
// game of another editor read as `wxl import` reads it, so that each command
// gives for an SGF game what it gives for the record import would write.
#pragma once

#include "fw/core/MessageBox.h"
#include "record/sgf/GameStory.h"
#include "record/sgf/SgfFile.h"
#include "record/sgf/SgfReader.h"

#include <optional>
#include <string>
#include <string_view>

class CClientDoc;

// The SGF file at path (ReadSgfFile), with a failure's message left with
// onMessage: the system's for a file that cannot be read, import's for an
// SGF game that is not one ("wxl: FILE: line 3: ..."). The story is then
// empty.
std::optional<SgfImport> ReadSgfGame(const std::string& path, const MessageBoxHandler& onMessage,
                                     GameStory* pStory = nullptr);

// Loads the game at path into doc. A record is opened as the program's Open
// does (LoadDocument). An SGF game becomes the record `wxl import` would
// write, in a new, untitled, unmodified document, and import's note
// ("wxl: FILE: 12 entries; dropped ...") goes to stderr. A failure leaves
// its message with onMessage: the program's own, or import's for an SGF
// game that is not one ("wxl: FILE: line 3: ..."). With pStory, the story
// is made anew: what an SGF game tells besides its moves, nothing for a
// record.
bool LoadGame(CClientDoc& doc, const std::string& path, MessageBoxHandler onMessage, GameStory* pStory = nullptr);
