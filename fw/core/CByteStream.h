// The bytes a CArchive reads or writes: a file on disk (CFile) or a block of
// memory (CMemFile), so that the same decoder serves the program's Open and a
// test or fuzzer that already holds the bytes.
//
// Positions count from the first byte. A read comes up short only at the end
// of the bytes; any other failure throws CFileException, so a caller never
// checks a write and tells a truncated record from a failing disk.
#pragma once

#include <cstddef>
#include <cstdint>

class CByteStream {
public:
    CByteStream(const CByteStream&) = delete;
    CByteStream& operator=(const CByteStream&) = delete;
    virtual ~CByteStream() = default;

    // The number of bytes a load can read in all: exact in memory; for a file,
    // what the system reports, which a read may find wrong (a /proc file
    // reports 0 bytes and holds more; a file cut meanwhile holds fewer).
    virtual std::uint64_t GetLength() const = 0;
    // Bytes read or written so far.
    virtual std::uint64_t GetPosition() const = 0;

    // Reads up to nCount bytes; fewer only at the end. An empty block may
    // come with a null buffer.
    virtual std::size_t Read(void* pBuffer, std::size_t nCount) = 0;
    // Writes all nCount bytes. An empty block may come with a null buffer.
    virtual void Write(const void* pBuffer, std::size_t nCount) = 0;

protected:
    CByteStream() = default;
};
