#include "DocumentPaths.h"

#include "CDocument.h"
#include "FrameworkText.h"

#include <filesystem>
#include <system_error>

namespace fw {
namespace {

bool IsSameFile(const std::string& strA, const std::string& strB)
{
    std::error_code ec1;
    std::error_code ec2;
    const auto a = std::filesystem::weakly_canonical(strA, ec1);
    const auto b = std::filesystem::weakly_canonical(strB, ec2);
    return !ec1 && !ec2 && a == b;
}

}  // namespace

bool IsDocumentFile(const CDocument& doc, const std::string& strPath)
{
    return !doc.GetPathName().empty() && IsSameFile(doc.GetPathName(), strPath);
}

bool NewDocument(CDocument& doc, const std::string& strTitle)
{
    doc.SetTitle(strTitle.empty() ? std::string(FrameworkText(IDS_UNTITLED)) : strTitle);
    return doc.OnNewDocument();
}

bool OpenDocumentFile(CDocument& doc, const std::string& strPath)
{
    if (IsDocumentFile(doc, strPath))
        return true;

    const bool bWasModified = doc.IsModified();
    doc.SetModifiedFlag(false);
    if (!doc.OnOpenDocument(strPath)) {
        if (!doc.IsModified())
            doc.SetModifiedFlag(bWasModified);  // the old game is untouched
        else
            NewDocument(doc);  // the old game was emptied before the failure
        return false;
    }
    doc.SetPathName(strPath);
    return true;
}

bool SaveDocumentAs(CDocument& doc, const std::string& strPath)
{
    if (!doc.OnSaveDocument(strPath))
        return false;
    doc.SetPathName(strPath);
    return true;
}

}  // namespace fw
