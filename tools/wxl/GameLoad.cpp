#include "GameLoad.h"

#include "CommandLine.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/FileException.h"
#include "record/ClientDoc.h"

#include <iostream>

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
