// The document paths of the File commands, without their dialogs and
// questions: what New, Open and Save As do to the one document once the user
// has chosen. The GUI and the command-line tool share them, so both treat a
// file the same way.
#pragma once

#include <string>

class CDocument;

namespace fw {

// Whether strPath names the file doc was loaded from or saved to.
bool IsDocumentFile(const CDocument& doc, const std::string& strPath);

// A new, empty, unmodified document titled strTitle, or with the default
// title when strTitle is empty.
bool NewDocument(CDocument& doc, const std::string& strTitle = {});

// Opens strPath into doc. The file already open is not read again (true).
// When the file cannot be opened the document stays as it was, modified flag
// included; when it fails after the old content was emptied, a new document
// takes its place. Returns whether the file is now the document.
bool OpenDocumentFile(CDocument& doc, const std::string& strPath);

// Saves doc under strPath, which becomes its path and title on success.
bool SaveDocumentAs(CDocument& doc, const std::string& strPath);

}  // namespace fw
