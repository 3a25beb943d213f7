// The main window: the fixed caption, the toolbar along the top, the status
// bar with the lock-key indicators, and a starting size made for the board.
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
};
