#include "CWinApp.h"

#include "CFrameWnd.h"
#include "CView.h"
#include "UserPrompts.h"
#include "fw/core/FrameworkIds.h"
#include "fw/core/FrameworkText.h"
#include "fw/core/MessageBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

#include <algorithm>
#include <array>
#include <cassert>

namespace {

CWinApp* g_pApp = nullptr;

constexpr std::array kEntries{
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit),
};

const QString kSettingsSection = QStringLiteral("Settings");
const QString kPreviewPages = QStringLiteral("PreviewPages");

}  // namespace

const MessageMap CWinApp::messageMap{&CCmdTarget::messageMap, kEntries};

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWinApp::CWinApp(const CResourceSet& resources)
    : m_resources(resources), m_strAppName(resources.LoadString(AFX_IDS_APP_TITLE))
{
    assert(!g_pApp && "one application object");
    g_pApp = this;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        m_arguments.push_back(arguments[i].toStdString());
}

CWinApp::~CWinApp()
{
    m_pDocTemplate.reset();
    g_pApp = nullptr;
}

int CWinApp::Run()
{
    RouteMessageBoxesToPrompts();
    const int nResult = InitInstance() ? QApplication::exec() : 0;
    ExitInstance();
    return nResult;
}

int CWinApp::ExitInstance()
{
    const auto pSettings = m_bWriteSettings && m_pRecentFileList ? OpenSettings() : nullptr;
    if (pSettings) {
        m_pRecentFileList->WriteList(*pSettings);
        if (m_nPreviewPages != 0)
            pSettings->setValue(kSettingsSection + QStringLiteral("/") + kPreviewPages, m_nPreviewPages);
    }
    m_pDocTemplate.reset();
    m_pMainWnd = nullptr;
    return 0;
}

bool CWinApp::LoadQtTranslation(const QLocale& language)
{
    // qtbase holds the texts of the widgets and of print support.
    auto pTranslator = std::make_unique<QTranslator>();
    if (!pTranslator->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    m_pQtTranslator = std::move(pTranslator);
    QCoreApplication::installTranslator(m_pQtTranslator.get());
    return true;
}

std::unique_ptr<QSettings> CWinApp::OpenSettings() const
{
    const QString organisation = QString::fromStdString(m_strRegistryKey);
    const QString application = QString::fromStdString(m_strAppName);
    // Where QSettings keeps the user's settings: the application's file, and
    // the organisation's, which it reads as well. Looking costs a stat;
    // QSettings itself would open them.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (const QString& path : {folder + QStringLiteral("/%1/%2.conf").arg(organisation, application),
                                folder + QStringLiteral("/%1.conf").arg(organisation)}) {
        const QFileInfo file(path);
        if (file.exists() && !file.isFile())
            return nullptr;
    }
    return std::make_unique<QSettings>(organisation, application);
}

void CWinApp::LoadStdProfileSettings(int nMaxMRU)
{
    const int nCommands = static_cast<int>(ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1);
    m_pRecentFileList =
        std::make_unique<CRecentFileList>(std::clamp(nMaxMRU, 0, nCommands), "Recent File List", "File%d");
    if (const auto pSettings = OpenSettings()) {
        m_pRecentFileList->ReadList(*pSettings);
        m_nPreviewPages = pSettings->value(kSettingsSection + QStringLiteral("/") + kPreviewPages, 0).toInt();
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rInfo) const
{
    ::ParseCommandLine(rInfo, m_arguments);
}

bool CWinApp::ProcessShellCommand(const CCommandLineInfo& rInfo)
{
    switch (rInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
    case CCommandLineInfo::FileDDE:  // no DDE service: a plain start
        if (!OnCommand(ID_FILE_NEW))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        m_bShowMainWindow = false;
        if (OpenDocumentFile(rInfo.m_strFileName)) {
            if (CView* pView = m_pMainWnd->GetActiveView()) {
                if (rInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo)
                    pView->SetDirectPrinter(rInfo.m_strPrinterName);
            }
            m_pMainWnd->RouteCommand(ID_FILE_PRINT_DIRECT);
        }
        return false;
    case CCommandLineInfo::AppUnregister: {
        const bool bRemoved = Unregister();
        if (!rInfo.m_bRunEmbedded)
            AfxMessageBox(std::string(fw::FrameworkText(bRemoved ? fw::IDP_UNREG_DONE : fw::IDP_UNREG_FAILURE)));
        return false;
    }
    }
    return false;
}

bool CWinApp::Unregister()
{
    m_bWriteSettings = false;
    const auto pSettings = OpenSettings();
    if (!pSettings)
        return false;
    pSettings->clear();
    pSettings->sync();
    return pSettings->status() == QSettings::NoError;
}

CDocument* CWinApp::OpenDocumentFile(const std::string& strPath, bool* pbCancelled)
{
    return m_pDocTemplate ? m_pDocTemplate->OpenDocumentFile(&strPath, m_bShowMainWindow, pbCancelled) : nullptr;
}

void CWinApp::AddToRecentFileList(const std::string& strPath)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(strPath);
}

bool CWinApp::SaveAllModified()
{
    return !m_pDocTemplate || m_pDocTemplate->SaveModified();
}

void CWinApp::CloseAllDocuments()
{
    if (m_pDocTemplate)
        m_pDocTemplate->CloseAllDocuments();
}

void CWinApp::OnFileNew()
{
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(nullptr, m_bShowMainWindow);
}

void CWinApp::OnFileOpen()
{
    if (const auto chosen = Prompts().PromptFileName(CUserPrompts::FileDialog::Open, {}))
        OpenDocumentFile(*chosen);
}

void CWinApp::OnFilePrintSetup()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>();
    QPageSetupDialog dialog(m_pPrinter.get(), m_pMainWnd);
    dialog.exec();
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->close();
}

bool CWinApp::OnCommand(unsigned nID)
{
    if (IsRecentFileCommand(nID) && HasCommandHandler(nID)) {
        OnOpenRecentFile(static_cast<int>(nID - ID_FILE_MRU_FILE1));
        return true;
    }
    return CCmdTarget::OnCommand(nID);
}

bool CWinApp::HasCommandHandler(unsigned nID) const
{
    if (IsRecentFileCommand(nID))
        return m_pRecentFileList && static_cast<int>(nID - ID_FILE_MRU_FILE1) < m_pRecentFileList->GetSize();
    return CCmdTarget::HasCommandHandler(nID);
}

bool CWinApp::IsRecentFileCommand(unsigned nID) const
{
    return nID >= ID_FILE_MRU_FILE1 && nID - ID_FILE_MRU_FILE1 < static_cast<unsigned>(GetRecentFileCommandCount());
}

void CWinApp::OnOpenRecentFile(int nIndex)
{
    const std::string strPath = (*m_pRecentFileList)[nIndex];
    bool bCancelled = false;
    if (!OpenDocumentFile(strPath, &bCancelled) && !bCancelled)
        m_pRecentFileList->Remove(nIndex);
}
