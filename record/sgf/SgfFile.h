// An SGF game file: told by its name, read within kMaxSgfBytes. The window
// and the command-line tool both open SGF games through these.
#pragma once

#include "GameStory.h"
#include "SgfReader.h"

#include <string>
#include <string_view>

// Whether path names an SGF game: its name ends in ".sgf", in any capitals.
// The name alone decides, as the content cannot: a record's bytes may begin
// with "(;" as well.
bool IsSgfGameName(std::string_view path);

// The SGF file at path, read by ReadSgf; refused beyond kMaxSgfBytes before
// more is read. Throws CFileException, CSgfError.
SgfImport ReadSgfFile(const std::string& path, GameStory* pStory = nullptr);
