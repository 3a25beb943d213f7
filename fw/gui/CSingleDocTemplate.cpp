#include "CSingleDocTemplate.h"

#include "CFrameWnd.h"
#include "CView.h"
#include "CWinApp.h"
#include "UserPrompts.h"
#include "fw/core/CDocument.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/FrameworkText.h"
#include "fw/core/MessageBox.h"

#include <filesystem>

CSingleDocTemplate::CSingleDocTemplate(unsigned nIDResource, const CResourceSet& resources,
                                       DocumentFactory createDocument, FrameFactory createFrame, ViewFactory createView)
    : m_nIDResource(nIDResource),
      m_resources(resources),
      m_createDocument(std::move(createDocument)),
      m_createFrame(std::move(createFrame)),
      m_createView(std::move(createView))
{
}

CSingleDocTemplate::~CSingleDocTemplate() = default;

std::string CSingleDocTemplate::GetDocString(int nField) const
{
    std::string_view text = m_resources.LoadString(m_nIDResource);
    for (int i = 0; i < nField && !text.empty(); ++i) {
        const auto newline = text.find('\n');
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    }
    return std::string(text.substr(0, text.find('\n')));
}

bool CSingleDocTemplate::CreateDocumentAndFrame()
{
    m_pDocument = m_createDocument();
    m_pFrame = m_createFrame();
    if (m_pDocument && m_pFrame && m_pFrame->LoadFrame(m_nIDResource, m_resources, {m_pDocument.get(), m_createView})) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->SetMainWnd(m_pFrame.get());
        return true;
    }
    m_pFrame.reset();
    m_pDocument.reset();
    AfxMessageBox(std::string(fw::FrameworkText(fw::IDP_FAILED_TO_CREATE_DOC)));
    return false;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const std::string* pPath, bool bMakeVisible, bool* pbCancelled)
{
    if (pbCancelled)
        *pbCancelled = false;
    if (m_pDocument && pPath && fw::IsDocumentFile(*m_pDocument, *pPath)) {
        m_pFrame->raise();
        m_pFrame->activateWindow();
        return m_pDocument.get();
    }

    bool bCreated = false;
    if (m_pDocument) {
        if (!SaveModified()) {
            if (pbCancelled)
                *pbCancelled = true;
            return nullptr;
        }
    } else {
        if (!CreateDocumentAndFrame())
            return nullptr;
        bCreated = true;
    }

    bool bOpened = false;
    if (!pPath) {
        bOpened = fw::NewDocument(*m_pDocument, GetDocString(docName));
    } else {
        bOpened = fw::OpenDocumentFile(*m_pDocument, *pPath);
        if (bOpened && AfxGetApp())
            AfxGetApp()->AddToRecentFileList(*pPath);
    }
    if (!bOpened && bCreated) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->SetMainWnd(nullptr);
        m_pFrame.reset();
        m_pDocument.reset();
        return nullptr;
    }

    // After a failed load the document is a new game: show that too.
    m_pFrame->GetActiveView()->OnInitialUpdate();
    if (bMakeVisible && bCreated)
        m_pFrame->show();
    return bOpened ? m_pDocument.get() : nullptr;
}

bool CSingleDocTemplate::SaveModified()
{
    if (!m_pDocument || !m_pDocument->IsModified())
        return true;
    std::string strName = m_pDocument->GetTitle();
    if (strName.empty())
        strName = fw::FrameworkText(fw::IDS_UNTITLED);
    switch (Prompts().AskYesNoCancel(fw::FormatFrameworkText(fw::IDP_ASK_TO_SAVE, strName))) {
    case CUserPrompts::Answer::Yes:
        return DoFileSave();
    case CUserPrompts::Answer::No:
        return true;
    case CUserPrompts::Answer::Cancel:
        return false;
    }
    return false;
}

bool CSingleDocTemplate::DoFileSave()
{
    return DoSave(m_pDocument->GetPathName(), true);
}

bool CSingleDocTemplate::DoSave(const std::string& strPath, bool bReplace)
{
    std::string strNewName = strPath;
    if (strNewName.empty()) {
        std::string strInitial = m_pDocument->GetPathName();
        if (strInitial.empty()) {
            strInitial = m_pDocument->GetTitle();
            if (std::filesystem::path(strInitial).extension().empty())
                strInitial += GetDocString(filterExt);
        }
        const auto chosen = Prompts().PromptFileName(CUserPrompts::FileDialog::SaveAs, strInitial);
        if (!chosen)
            return false;
        strNewName = *chosen;
    }
    // A failed save reports itself and leaves the file that was there alone.
    if (!bReplace)
        return m_pDocument->OnSaveDocument(strNewName);
    if (!fw::SaveDocumentAs(*m_pDocument, strNewName))
        return false;
    if (CWinApp* pApp = AfxGetApp())
        pApp->AddToRecentFileList(strNewName);
    return true;
}

void CSingleDocTemplate::CloseAllDocuments()
{
    if (m_pDocument)
        m_pDocument->DeleteContents();
}
