#include "GameLoad.h"

#include "CommandLine.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/FileException.h"
#include "record/ClientDoc.h"

#include <iostream>

bool LoadGame(CClientDoc& doc, const std::string& path, MessageBoxHandler onMessage, GameStory* pStory)
{
    if (pStory)
        *pStory = {};
    if (!IsSgfGameName(path))
        return LoadDocument(doc, path, std::move(onMessage));

    const std::string shownName = EscapeControls(path);
    SgfImport import;
    try {
        import = ReadSgfFile(path, pStory);
    } catch (const CFileException& e) {
        onMessage(e.GetErrorMessage());
        return false;
    } catch (const CSgfError& e) {
        if (pStory)
            *pStory = {};
        onMessage("wxl: " + shownName + ": " + EscapeControls(e.what()));
        return false;
    }
    std::cerr << "wxl: " << shownName << ": " << DescribeImport(import) << '\n';
    fw::NewDocument(doc);
    doc.LoadRecord(std::move(import.moves));
    return true;
}
