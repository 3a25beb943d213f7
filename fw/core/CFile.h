// A file opened for one load or one save. Every failure throws a
// CFileException naming the path and its cause.
//
// Saving never destroys the file it replaces: modeReplace writes into a new
// temporary file in the same folder, and only Close(), after everything is
// written and flushed to the disk, moves it over the target. Where the system
// allows it (Linux's O_TMPFILE) the temporary file has no name until then, so
// that a save killed midway leaves nothing behind; elsewhere it is a hidden
// file of a short name, which the handlers of TempFileSignals.h, where a
// program installs them, remove when a signal ends the program. A CFile
// destroyed or aborted before Close() removes the temporary file and leaves
// the target exactly as it was. The new file keeps the mode, owner and group
// of the one it replaces (the owner only where the system lets the program
// give a file away); a hard link to the old file keeps the old content.
// Stage() instead of Close() leaves the complete file waiting beside the
// target, to replace it together with others (CStagedFiles.h).
// Saving through a symbolic link replaces the file the link names and keeps
// the link; a loop of links is an invalid path. Only regular files are read
// or replaced: a folder, a pipe or a device is refused as access denied, and
// never waited on.
//
// A load reads on to the end of the file, whatever length the system reports:
// a /proc file reports none and holds bytes all the same.
#pragma once

#include "CByteStream.h"
#include "CStagedFiles.h"
#include "TempFileSignals.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

class CFile : public CByteStream {
public:
    enum Mode {
        modeRead,     // an existing file, from its start
        modeReplace,  // a new file that replaces the path on Close()
    };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() override;

    // Requires: not open. Throws CFileException.
    void Open(const std::string& strPath, Mode mode);

    // The length the system reported for a file opened for reading, in bytes:
    // what it holds, as a rule, but a read may find more or fewer.
    std::uint64_t GetLength() const override { return m_nLength; }
    // Bytes read or written so far.
    std::uint64_t GetPosition() const override { return m_nPosition; }
    const std::string& GetFilePath() const { return m_strPath; }

    // Whether a file opened for reading has no more bytes. It reads one byte
    // ahead, which the next Read still gives. Throws CFileException.
    bool IsAtEnd();

    // Reads up to nCount bytes; fewer only at the end of the file.
    std::size_t Read(void* pBuffer, std::size_t nCount) override;
    void Write(const void* pBuffer, std::size_t nCount) override;

    // Finishes the load or commits the save. Throws CFileException.
    void Close();
    // Closes a save without committing it: the complete file goes to staged,
    // to replace its target together with others there; the target is
    // untouched until then. Throws CFileException, after which the file is
    // gone as after Abort().
    void Stage(CStagedFiles& staged);
    // Closes without committing; never throws.
    void Abort() noexcept;

private:
    [[noreturn]] void ThrowOsError(int nOsError) const;
    void OpenForReading();
    void OpenForReplacing();
    int CreateNamedTempFile(unsigned nMode);
    void NameTempFile();
    void FinishTempFile();
    template <typename Create>
    int UnderFreshTempName(Create create);

    std::FILE* m_pStream = nullptr;
    Mode m_mode = modeRead;
    std::string m_strPath;        // as given: the name in messages
    int m_nFolder = -1;           // a save's folder: the target's, links followed
    std::string m_strFolder;      // its path
    std::string m_strTargetName;  // the name a save replaces in that folder
    std::string m_strTempName;    // the temporary file's name there, once it has one
    std::optional<fw::CTempFileRegistration> m_tempRegistration;
    std::uint64_t m_nLength = 0;
    std::uint64_t m_nPosition = 0;
};
