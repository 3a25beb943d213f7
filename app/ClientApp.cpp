#include "ClientApp.h"

#include "AboutDlg.h"
#include "ClientResources.h"
#include "MainFrm.h"
#include "fw/gui/CFrameWnd.h"
#include "record/ClientDoc.h"
#include "res/resource.h"
#include "view/ClientView.h"

#include <array>

namespace {

constexpr std::array kEntries{
    ON_COMMAND(ID_APP_ABOUT, &CClientApp::OnAppAbout),
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew),
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen),
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup),
};

}  // namespace

const MessageMap CClientApp::messageMap{&CWinApp::messageMap, kEntries};

CClientApp::CClientApp() : CWinApp(ClientResources())
{
}

bool CClientApp::InitInstance()
{
    // Settings live per user under this key; it must be set before they are read.
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, GetResources(), [] { return std::make_unique<CClientDoc>(); }, [] { return std::make_unique<CMainFrame>(); },
        [](QWidget* pParent) { return new CClientView(pParent); }));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return false;

    GetMainWnd()->show();
    GetMainWnd()->update();
    return true;
}

void CClientApp::OnAppAbout()
{
    CAboutDlg aboutDlg(GetMainWnd());
    aboutDlg.DoModal();
}
