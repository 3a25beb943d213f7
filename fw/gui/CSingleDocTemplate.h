// One document, one frame, one view, created at the first New or Open and
// reused for every later game. The template carries the File commands' paths:
// the save question, the file dialogs, loading into the one document, saving,
// and closing.
#pragma once

#include "fw/core/ResourceDefs.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class CDocument;
class CFrameWnd;
class CView;
class QWidget;

class CSingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<CView*(QWidget* pParent)>;

    // The fields of the document string, one a line.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    // nIDResource names the document string in resources, and the frame's
    // menu, keys, toolbar and icon.
    CSingleDocTemplate(unsigned nIDResource, const CResourceSet& resources, DocumentFactory createDocument,
                       FrameFactory createFrame, ViewFactory createView);
    ~CSingleDocTemplate();

    // A new game (no path) or the file at *pPath, into the one document,
    // creating document, frame and view the first time. Asks to save a
    // modified game first. The file already open is not read again: its
    // window is only brought forward. Null when nothing was opened;
    // *pbCancelled then tells whether the user cancelled the save question.
    CDocument* OpenDocumentFile(const std::string* pPath, bool bMakeVisible = true, bool* pbCancelled = nullptr);

    // The save question for a modified game; false when the user cancelled
    // or the save failed.
    bool SaveModified();
    // Save under the document's path, or ask for one when it has none.
    bool DoFileSave();
    // Save under strPath, or ask for a name when it is empty. bReplace: the
    // document takes the new path and title.
    bool DoSave(const std::string& strPath, bool bReplace);
    // Empties the document (the window is closing).
    void CloseAllDocuments();

    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }
    // Field nField (a DocStringIndex) of the document string.
    std::string GetDocString(int nField) const;

private:
    bool CreateDocumentAndFrame();

    unsigned m_nIDResource;
    CResourceSet m_resources;
    DocumentFactory m_createDocument;
    FrameFactory m_createFrame;
    ViewFactory m_createView;
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
};
