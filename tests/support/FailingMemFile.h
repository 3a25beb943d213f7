// A memory file that fails the way a disk can: a read or a write that reaches
// byte nFailAt moves the bytes before it, then throws the CFileException a
// CFile throws for the same system error (an I/O error, a full disk).
#pragma once

#include "fw/core/CMemFile.h"
#include "fw/core/FileException.h"

#include <cstdint>
#include <string>
#include <utility>

namespace testing_support {

class FailingMemFile : public CMemFile {
public:
    FailingMemFile(std::string bytes, std::uint64_t nFailAt) : CMemFile(std::move(bytes)), m_nFailAt(nFailAt) {}
    explicit FailingMemFile(std::uint64_t nFailAt) : m_nFailAt(nFailAt) {}

    std::size_t Read(void* pBuffer, std::size_t nCount) override
    {
        if (GetPosition() + nCount <= m_nFailAt)
            return CMemFile::Read(pBuffer, nCount);
        CMemFile::Read(pBuffer, BytesBeforeFailure());
        throw CFileException(CFileException::hardIO, "memory");
    }

    void Write(const void* pBuffer, std::size_t nCount) override
    {
        if (GetPosition() + nCount <= m_nFailAt)
            return CMemFile::Write(pBuffer, nCount);
        CMemFile::Write(pBuffer, BytesBeforeFailure());
        throw CFileException(CFileException::diskFull, "memory");
    }

private:
    std::size_t BytesBeforeFailure() const
    {
        return GetPosition() < m_nFailAt ? static_cast<std::size_t>(m_nFailAt - GetPosition()) : 0;
    }

    std::uint64_t m_nFailAt;
};

}  // namespace testing_support
