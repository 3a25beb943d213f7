// A byte stream over a block of memory: a load reads bytes the caller already
// holds, a store collects what is written. Reading past the last byte comes
// up short as at the end of a file; there is no disk to fail, so it never
// throws CFileException.
#pragma once

#include "CByteStream.h"

#include <string>
#include <utility>

class CMemFile : public CByteStream {
public:
    // An empty block, to store into.
    CMemFile() = default;
    // A block holding bytes, read from its first byte.
    explicit CMemFile(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::uint64_t GetLength() const override { return m_bytes.size(); }
    std::uint64_t GetPosition() const override { return m_nPosition; }

    std::size_t Read(void* pBuffer, std::size_t nCount) override;
    // Writes at the position, over what lies there and then beyond the end.
    void Write(const void* pBuffer, std::size_t nCount) override;

    // The whole block: the bytes given, as far as writes have replaced and
    // extended them.
    const std::string& GetBytes() const { return m_bytes; }

private:
    std::string m_bytes;
    std::size_t m_nPosition = 0;
};
