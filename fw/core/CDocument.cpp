#include "CDocument.h"

#include "CArchive.h"
#include "CFile.h"
#include "FileException.h"
#include "FrameworkText.h"
#include "MessageBox.h"

#include <filesystem>

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const std::string& strPath)
{
    CFile file;
    try {
        file.Open(strPath, CFile::modeRead);
    } catch (...) {
        ReportSaveLoadException(strPath, std::current_exception(), fw::IDP_FAILED_TO_OPEN_DOC);
        return false;
    }

    DeleteContents();
    SetModifiedFlag();  // dirty while the content is half read
    try {
        // An empty file is an empty document. Whether it is empty is read, not
        // taken from the length the system reports, which may be 0 for a file
        // that holds bytes (/proc).
        if (!file.IsAtEnd()) {
            CArchive ar(file, CArchive::load);
            Serialize(ar);
        }
        file.Close();
    } catch (...) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(strPath, std::current_exception(), fw::IDP_FAILED_TO_OPEN_DOC);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& strPath)
{
    CFile file;
    try {
        file.Open(strPath, CFile::modeReplace);
        CArchive ar(file, CArchive::store);
        Serialize(ar);
        file.Close();
    } catch (...) {
        file.Abort();
        ReportSaveLoadException(strPath, std::current_exception(), fw::IDP_FAILED_TO_SAVE_DOC);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::SetPathName(const std::string& strPathName)
{
    m_strPathName = strPathName;
    SetTitle(std::filesystem::path(strPathName).filename().string());
}

void CDocument::ReportSaveLoadException(const std::string& strPath, std::exception_ptr error, unsigned nIDPDefault)
{
    std::string strPrompt;
    try {
        std::rethrow_exception(error);
    } catch (const CFileException& e) {
        strPrompt = e.GetErrorMessage();
    } catch (const CArchiveException&) {
        strPrompt = fw::FrameworkText(fw::IDP_FAILED_INVALID_FORMAT);
    } catch (...) {
        strPrompt = fw::FormatFrameworkText(nIDPDefault, std::filesystem::path(strPath).filename().string());
    }
    AfxMessageBox(strPrompt);
}
