#include "SgfFile.h"

#include "fw/core/CFile.h"
#include "fw/core/FileNameExtension.h"

bool IsSgfGameName(std::string_view path)
{
    return HasExtension(path, ".sgf");
}

SgfImport ReadSgfFile(const std::string& path, GameStory* pStory)
{
    CFile file;
    file.Open(path, CFile::modeRead);
    if (file.GetLength() > kMaxSgfBytes)
        throw TooLargeForAGameRecord();
    // Room for what the file holds now, so that the text is not copied as
    // it grows: thumbnails read it within a small address space.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(file.GetLength()));
    char block[1 << 16];
    while (const std::size_t nRead = file.Read(block, sizeof block)) {
        if (bytes.size() + nRead > kMaxSgfBytes)
            throw TooLargeForAGameRecord();  // it grew while read
        bytes.append(block, nRead);
    }
    file.Close();
    return ReadSgf(bytes, pStory);
}
