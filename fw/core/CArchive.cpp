#include "CArchive.h"

#include "CFile.h"
#include "FileException.h"

#include <cassert>

namespace {

constexpr std::uint16_t kCountEscape = 0xFFFF;

}  // namespace

std::uint64_t CArchive::GetBytesLeft() const
{
    assert(IsLoading());
    const auto nLength = m_file.GetLength();
    const auto nPosition = m_file.GetPosition();
    return nPosition < nLength ? nLength - nPosition : 0;
}

void CArchive::WriteCount(std::uint32_t nCount)
{
    if (nCount < kCountEscape) {
        *this << static_cast<std::uint16_t>(nCount);
    } else {
        *this << kCountEscape;
        *this << nCount;
    }
}

std::uint32_t CArchive::ReadCount()
{
    std::uint16_t nShort = 0;
    *this >> nShort;
    if (nShort != kCountEscape)
        return nShort;
    std::uint32_t nLong = 0;
    *this >> nLong;
    return nLong;
}

CArchive& CArchive::operator<<(std::uint16_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator<<(std::uint32_t value)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator>>(std::uint16_t& value)
{
    unsigned char bytes[2];
    ReadExactly(bytes, sizeof bytes);
    value = static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
    return *this;
}

CArchive& CArchive::operator>>(std::uint32_t& value)
{
    unsigned char bytes[4];
    ReadExactly(bytes, sizeof bytes);
    value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return *this;
}

void CArchive::Write(const void* pBuffer, std::size_t nCount)
{
    assert(IsStoring());
    m_file.Write(pBuffer, nCount);
}

std::size_t CArchive::Read(void* pBuffer, std::size_t nCount)
{
    assert(IsLoading());
    return m_file.Read(pBuffer, nCount);
}

void CArchive::ReadExactly(void* pBuffer, std::size_t nCount)
{
    if (Read(pBuffer, nCount) != nCount)
        throw CArchiveException(CArchiveException::endOfFile);
}
