#include "GameLoad.h"

#include "CommandLine.h"
#include "fw/core/CFile.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/FileException.h"
#include "record/ClientDoc.h"

#include <algorithm>
#include <cctype>
#include <iostream>

bool IsSgfGameName(std::string_view path)
{
    constexpr std::string_view kExtension = ".sgf";
    if (path.size() < kExtension.size())
        return false;
    const std::string_view end = path.substr(path.size() - kExtension.size());
    return std::equal(end.begin(), end.end(), kExtension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

SgfImport ReadSgfFile(const std::string& path, GameStory* pStory)
{
    CFile file;
    file.Open(path, CFile::modeRead);
    const CSgfError tooLarge("larger than " + std::to_string(kMaxSgfBytes >> 20) + " MB, too large for a game record");
    if (file.GetLength() > kMaxSgfBytes)
        throw tooLarge;
    // Room for what the file holds now, so that the text is not copied as
    // it grows: thumbnails read it within a small address space.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(file.GetLength()));
    char block[1 << 16];
    while (const std::size_t nRead = file.Read(block, sizeof block)) {
        if (bytes.size() + nRead > kMaxSgfBytes)
            throw tooLarge;  // it grew while read
        bytes.append(block, nRead);
    }
    file.Close();
    return ReadSgf(bytes, pStory);
}

std::optional<SgfImport> ReadSgfGame(const std::string& path, const MessageBoxHandler& onMessage, GameStory* pStory)
{
    try {
        return ReadSgfFile(path, pStory);
    } catch (const CFileException& e) {
        onMessage(e.GetErrorMessage());
    } catch (const CSgfError& e) {
        onMessage("wxl: " + EscapeControls(path) + ": " + EscapeControls(e.what()));
    }
    if (pStory)
        *pStory = {};
    return std::nullopt;
}

bool LoadGame(CClientDoc& doc, const std::string& path, MessageBoxHandler onMessage, GameStory* pStory)
{
    if (pStory)
        *pStory = {};
    if (!IsSgfGameName(path))
        return LoadDocument(doc, path, std::move(onMessage));

    std::optional<SgfImport> import = ReadSgfGame(path, onMessage, pStory);
    if (!import)
        return false;
    std::cerr << "wxl: " << EscapeControls(path) << ": " << DescribeImport(*import) << '\n';
    fw::NewDocument(doc);
    doc.LoadRecord(std::move(import->moves));
    return true;
}
