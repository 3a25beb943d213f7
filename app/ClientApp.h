// The application: start-up, the about box and the application's commands.
#pragma once

#include "fw/gui/CWinApp.h"

class CClientApp : public CWinApp {
public:
    CClientApp();

    // Settings key, recent files, the document template, then the command
    // line; false when the program must end without a window.
    bool InitInstance() override;

    // Shows the about box modally.
    void OnAppAbout();

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;
};
