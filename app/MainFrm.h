// The main window: the fixed caption, the toolbar along the top, the status
// bar with the lock-key indicators, and a starting size made for the board.
// A game dropped on it opens: a record as File › Open opens it, an SGF game
// of another editor imported into a new game.
#pragma once

#include "fw/gui/CFrameWnd.h"

class CMainFrame : public CFrameWnd {
public:
    // Never replaced by a document's name.
    static constexpr const char* kCaption = "SorvethWexlan1.4  …… SorvanKestrune单机打谱程序 ……";

protected:
    bool OnCreate(const CreateContext& context) override;
    // The game goes back to its start: the record stays, the position that
    // ran out of memory goes.
    void RecoverFromOutOfMemory() override;
    // A record (.wxl) opens as File › Open opens it. An SGF game (.sgf) is
    // read as `wxl import` reads it into a new, modified, untitled game, at
    // its start as an opened record is, after the save question for the
    // game shown; one that cannot be read leaves the game shown as it is.
    // Any other file gets the message for a file of the wrong format.
    void OnDropFile(const std::string& strPath) override;

private:
    void ImportSgfGame(const std::string& strPath);
};
