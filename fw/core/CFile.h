// A file opened for one load or one save. Every failure throws a
// CFileException naming the path and its cause.
//
// Saving never destroys the file it replaces: modeReplace writes into a new
// temporary file in the same folder, and only Close(), after everything is
// written and flushed to the disk, moves it over the target. A CFile destroyed
// or aborted before Close() removes the temporary file and leaves the target
// exactly as it was. Saving through a symbolic link replaces the file the link
// names and keeps the link. Only regular files are read or replaced: a
// folder, a pipe or a device is refused as access denied.
#pragma once

#include "CByteStream.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
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

    // Length of a file opened for reading, in bytes.
    std::uint64_t GetLength() const override { return m_nLength; }
    // Bytes read or written so far.
    std::uint64_t GetPosition() const override { return m_nPosition; }
    const std::string& GetFilePath() const { return m_strPath; }

    // Reads up to nCount bytes; fewer only at the end of the file.
    std::size_t Read(void* pBuffer, std::size_t nCount) override;
    void Write(const void* pBuffer, std::size_t nCount) override;

    // Finishes the load or commits the save. Throws CFileException.
    void Close();
    // Closes without committing; never throws.
    void Abort() noexcept;

private:
    [[noreturn]] void ThrowOsError(int nOsError) const;
    void RefuseAnythingButAFile(const std::filesystem::path& path) const;
    void OpenForReading();
    void OpenForReplacing();

    std::FILE* m_pStream = nullptr;
    Mode m_mode = modeRead;
    std::string m_strPath;        // as given: the name in messages
    std::string m_strTargetPath;  // the file a save replaces, links followed
    std::string m_strTempPath;
    std::uint64_t m_nLength = 0;
    std::uint64_t m_nPosition = 0;
};
