#include "MainFrm.h"

#include "fw/core/FileException.h"
#include "fw/core/FileNameExtension.h"
#include "fw/core/FrameworkText.h"
#include "fw/core/MessageBox.h"
#include "fw/gui/CView.h"
#include "fw/gui/CWinApp.h"
#include "record/ClientDoc.h"
#include "record/sgf/SgfFile.h"
#include "res/resource.h"

#include <array>

namespace {

constexpr std::array kIndicators{ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

bool IsRecordName(const std::string& strPath, const CSingleDocTemplate& docTemplate)
{
    const std::string strExtension = docTemplate.GetDocString(CSingleDocTemplate::filterExt);
    return !strExtension.empty() && HasExtension(strPath, strExtension);
}

void ShowFormatMessage()
{
    AfxMessageBox(std::string(fw::FrameworkText(fw::IDP_FAILED_INVALID_FORMAT)));
}

}  // namespace

bool CMainFrame::OnCreate(const CreateContext& context)
{
    setWindowTitle(QString::fromUtf8(kCaption));
    if (!CFrameWnd::OnCreate(context))
        return false;
    if (!CreateToolBar())
        return false;
    if (!CreateStatusBar(kIndicators))
        return false;
    DragAcceptFiles();
    // The view asks for the board and the caption line under it; the frame
    // adds its menu, toolbar, status bar and borders to that.
    resize(sizeHint());
    return true;
}

void CMainFrame::RecoverFromOutOfMemory()
{
    if (auto* pDoc = dynamic_cast<CClientDoc*>(GetActiveDocument()))
        pDoc->ReturnToStart();
}

void CMainFrame::OnDropFile(const std::string& strPath)
{
    const CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->GetDocTemplate())
        return;
    if (IsSgfGameName(strPath))
        ImportSgfGame(strPath);
    else if (IsRecordName(strPath, *pApp->GetDocTemplate()))
        CFrameWnd::OnDropFile(strPath);
    else
        ShowFormatMessage();
}

void CMainFrame::ImportSgfGame(const std::string& strPath)
{
    // Read before the save question: a game that cannot be had costs the
    // user nothing.
    SgfImport import;
    try {
        import = ReadSgfFile(strPath);
    } catch (const CFileException& e) {
        AfxMessageBox(e.GetErrorMessage());
        return;
    } catch (const CSgfError&) {
        ShowFormatMessage();
        return;
    }
    // A new game, as File › New makes it; null when the user cancelled.
    auto* pDoc = dynamic_cast<CClientDoc*>(AfxGetApp()->GetDocTemplate()->OpenDocumentFile(nullptr));
    if (!pDoc)
        return;
    pDoc->LoadRecord(std::move(import.moves));
    // Not saved anywhere yet: Save asks for a name, closing asks to save.
    pDoc->SetModifiedFlag();
    GetActiveView()->OnInitialUpdate();
}
