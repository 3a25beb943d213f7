// Saves written completely and waiting beside their targets, to replace them
// all together: a set of files that only makes sense whole (the pages of one
// document, each a file of its own) must never be left half old, half new.
//
// CFile::Stage() hands a save over: its temporary file, complete and on the
// disk, under a hidden name in its target's folder. Commit() puts them all in
// place. Before renaming anything it keeps each file a target holds under a
// second hidden name (a hard link, so the content stays the very file, with
// its mode, owner and links); when one rename fails, the targets already
// replaced get their old files back, or are removed where there was none.
// Where no hard link can be made (FAT and exFAT, a file another user owns)
// the old file is renamed to the kept name instead: its target is absent
// from then until its new file is in place, or its old one put back. An old
// file that cannot be put back is never removed: it stays beside its target
// under the kept name, the last copy of that content.
// A staged file is not registered with TempFileSignals.h: it holds no folder
// open, so that thousands can wait at once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CStagedFiles {
public:
    CStagedFiles() = default;
    CStagedFiles(const CStagedFiles&) = delete;
    CStagedFiles& operator=(const CStagedFiles&) = delete;
    // Removes whatever is still staged; the targets stay as they were.
    ~CStagedFiles();

    std::size_t GetCount() const { return m_files.size(); }

    // Replaces every target by its staged file. When one cannot be replaced,
    // every target is as it was before and a CFileException names the file
    // that failed; only an old file that cannot be put back either waits
    // under its hidden name beside its target. Either way nothing is staged
    // afterwards.
    void Commit();
    // Removes the staged files; never throws.
    void Abort() noexcept;

private:
    friend class CFile;

    struct StagedFile {
        std::string strPath;        // as given to CFile: the name in messages
        std::string strFolder;      // the target's folder, links followed
        std::string strTargetName;  // in that folder
        std::string strTempName;    // the new content, until it is in place
        std::string strKeptName;    // the target's old file while Commit() runs
        bool bKeptByRenaming = false;  // and so the target is absent
        bool bPlaced = false;
    };

    void Add(StagedFile file) { m_files.push_back(std::move(file)); }
    void KeepReplacedFile(StagedFile& file);
    void PutBackReplacedFiles() noexcept;

    std::vector<StagedFile> m_files;
};
