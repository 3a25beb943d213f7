#include "CArchive.h"

#include "CByteStream.h"
#include "FileException.h"
#include "LittleEndian.h"

#include <cassert>

namespace {

constexpr std::uint16_t kCountEscape = 0xFFFF;

}  // namespace

std::uint64_t CArchive::GetBytesLeft() const
{
    assert(IsLoading());
    const auto nLength = m_stream.GetLength();
    const auto nPosition = m_stream.GetPosition();
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
    unsigned char bytes[2];
    EncodeFixed16(bytes, value);
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator<<(std::uint32_t value)
{
    unsigned char bytes[4];
    EncodeFixed32(bytes, value);
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator>>(std::uint16_t& value)
{
    unsigned char bytes[2];
    ReadExactly(bytes, sizeof bytes);
    value = DecodeFixed16(bytes);
    return *this;
}

CArchive& CArchive::operator>>(std::uint32_t& value)
{
    unsigned char bytes[4];
    ReadExactly(bytes, sizeof bytes);
    value = DecodeFixed32(bytes);
    return *this;
}

void CArchive::Write(const void* pBuffer, std::size_t nCount)
{
    assert(IsStoring());
    m_stream.Write(pBuffer, nCount);
}

std::size_t CArchive::Read(void* pBuffer, std::size_t nCount)
{
    assert(IsLoading());
    return m_stream.Read(pBuffer, nCount);
}

void CArchive::ReadExactly(void* pBuffer, std::size_t nCount)
{
    if (Read(pBuffer, nCount) != nCount)
        throw CArchiveException(CArchiveException::endOfFile);
}
