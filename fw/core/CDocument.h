// The document base: a modified flag, a title and a path name, and the load
// and save paths that turn a file into a call of Serialize and report every
// failure through AfxMessageBox.
#pragma once

#include "CCmdTarget.h"

#include <exception>
#include <string>

class CArchive;

class CDocument : public CCmdTarget {
public:
    // Writes or reads the document's content; throws on failure.
    virtual void Serialize(CArchive& ar) = 0;
    // Empties the document; called before a new document and a load, and
    // after a failed load.
    virtual void DeleteContents() {}
    // Empties the document, forgets its path, clears the modified flag.
    virtual bool OnNewDocument();
    // Loads strPath. A file that cannot be opened leaves the document as it
    // was; a failure after that leaves it emptied and modified. Any failure
    // is reported and gives false.
    virtual bool OnOpenDocument(const std::string& strPath);
    // Saves to strPath, never destroying the file it replaces. Clears the
    // modified flag on success; reports a failure and gives false.
    virtual bool OnSaveDocument(const std::string& strPath);

    void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }
    bool IsModified() const { return m_bModified; }

    void SetTitle(std::string strTitle) { m_strTitle = std::move(strTitle); }
    const std::string& GetTitle() const { return m_strTitle; }

    // Remembers the file the document belongs to; the title becomes its name.
    void SetPathName(const std::string& strPathName);
    void ClearPathName() { m_strPathName.clear(); }
    const std::string& GetPathName() const { return m_strPathName; }

protected:
    // Shows the framework's message for a failed load or save.
    virtual void ReportSaveLoadException(const std::string& strPath, std::exception_ptr error, unsigned nIDPDefault);

private:
    bool m_bModified = false;
    std::string m_strTitle;
    std::string m_strPathName;
};
