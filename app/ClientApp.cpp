#include "ClientApp.h"

#include "AboutDlg.h"
#include "ClientResources.h"
#include "MainFrm.h"
#include "fw/gui/CFrameWnd.h"
#include "fw/gui/QtText.h"
#include "record/ClientDoc.h"
#include "res/resource.h"
#include "view/ClientView.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

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
    // The program speaks Chinese whatever the user's locale, and so do the
    // dialogs Qt draws; without Qt's translations they stay English.
    LoadQtTranslation(QLocale(QLocale::Chinese, QLocale::China));
    // A window without an owner, such as a message box at start-up, still
    // carries the program's icon.
    QApplication::setWindowIcon(QIcon(ToQString(GetResources().IconPath(IDR_MAINFRAME))));

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
