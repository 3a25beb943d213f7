// The application: settings, the recent-file list, the one document
// template, the command line, and the application-level commands (New, Open,
// Print Setup, Exit, the recent files). Exactly one exists; AfxGetApp finds it.
#pragma once

#include "CCommandLineInfo.h"
#include "CRecentFileList.h"
#include "CSingleDocTemplate.h"
#include "fw/core/CCmdTarget.h"
#include "fw/core/ResourceDefs.h"

#include <memory>
#include <string>
#include <vector>

class CDocument;
class CFrameWnd;
class QLocale;
class QPrinter;
class QSettings;
class QTranslator;

class CWinApp : public CCmdTarget {
public:
    // resources: the program's strings (its name among them), menus and icons.
    explicit CWinApp(const CResourceSet& resources);
    ~CWinApp() override;

    // Start-up; false ends the program at once.
    virtual bool InitInstance() = 0;
    // Writes the settings back (unless an unregister start removed them).
    virtual int ExitInstance();
    // InitInstance, then the event loop until the main window closes.
    // Requires a QApplication.
    int Run();

    // Qt's own texts (message box buttons, the file, print and page setup
    // dialogs) in language, from Qt's installed translations, for as long as
    // the application object lives. False when they are not installed: those
    // texts then stay English.
    bool LoadQtTranslation(const QLocale& language);

    const CResourceSet& GetResources() const { return m_resources; }
    // The name of the application: messages' caption and settings key.
    const std::string& GetAppName() const { return m_strAppName; }

    void SetRegistryKey(const std::string& strKey) { m_strRegistryKey = strKey; }
    // Reads a recent-file list of nMaxMRU entries (at most as many as there
    // are recent-file commands) and the preview page count.
    void LoadStdProfileSettings(int nMaxMRU);
    // The settings store: organisation = the registry key, application = the
    // app name. Null when a file of the store is there but is not a regular
    // file (a named pipe, a device, a folder): QSettings would wait on a pipe
    // for ever and replace it with a file of its own, so such a store counts
    // as empty and is never written.
    std::unique_ptr<QSettings> OpenSettings() const;

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate) { m_pDocTemplate = std::move(pTemplate); }
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }

    // Fills rInfo from the arguments the program was started with (or those
    // set with SetArguments).
    void ParseCommandLine(CCommandLineInfo& rInfo) const;
    // The arguments after the program name, in place of the real ones. The
    // real ones are Qt's, decoded as text: a program that may be given file
    // names that are not UTF-8 passes its argv here.
    void SetArguments(std::vector<std::string> args) { m_arguments = std::move(args); }
    // Carries out the shell command; false when the program must end.
    bool ProcessShellCommand(const CCommandLineInfo& rInfo);

    CDocument* OpenDocumentFile(const std::string& strPath, bool* pbCancelled = nullptr);
    void AddToRecentFileList(const std::string& strPath);
    const CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
    // The recent-file commands in use, from ID_FILE_MRU_FILE1 on: as many as
    // the list keeps entries, none before it is read.
    int GetRecentFileCommandCount() const { return m_pRecentFileList ? m_pRecentFileList->GetMaxSize() : 0; }

    CFrameWnd* GetMainWnd() const { return m_pMainWnd; }
    void SetMainWnd(CFrameWnd* pFrame) { m_pMainWnd = pFrame; }
    bool SaveAllModified();
    void CloseAllDocuments();

    // Framework handlers.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    // The recent-file entries are handled here besides the message map.
    bool OnCommand(unsigned nID) override;
    bool HasCommandHandler(unsigned nID) const override;

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

protected:
    bool m_bShowMainWindow = true;  // false for a print start: the window stays hidden

private:
    bool Unregister();
    bool IsRecentFileCommand(unsigned nID) const;
    void OnOpenRecentFile(int nIndex);

    CResourceSet m_resources;
    std::string m_strAppName;
    std::vector<std::string> m_arguments;
    std::string m_strRegistryKey;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    int m_nPreviewPages = 0;
    bool m_bWriteSettings = true;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::unique_ptr<QPrinter> m_pPrinter;
    std::unique_ptr<QTranslator> m_pQtTranslator;
    CFrameWnd* m_pMainWnd = nullptr;
};

// The application object; null before it is constructed.
CWinApp* AfxGetApp();
