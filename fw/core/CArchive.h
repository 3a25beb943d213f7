// A binary stream in one direction over a CByteStream: an open CFile, or a
// CMemFile when the bytes are in memory. Integers are little-endian on every
// machine.
//
// The element-count encoding (WriteCount / ReadCount):
//   count <  0xFFFF: one unsigned 16-bit value;
//   count >= 0xFFFF: the 16-bit escape 0xFFFF, then the count as unsigned 32-bit.
// A reader accepts the escape before any count, also one below 0xFFFF.
#pragma once

#include <cstddef>
#include <cstdint>

class CByteStream;

class CArchive {
public:
    enum Mode { store, load };

    CArchive(CByteStream& stream, Mode mode) : m_stream(stream), m_mode(mode) {}
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    // Bytes of the stream that a loading archive has not read yet, by the
    // stream's length (see CByteStream::GetLength: for a file, a hint).
    std::uint64_t GetBytesLeft() const;

    void WriteCount(std::uint32_t nCount);
    // Throws CArchiveException(endOfFile) when the stream ends inside the count.
    std::uint32_t ReadCount();

    CArchive& operator<<(std::uint16_t value);
    CArchive& operator<<(std::uint32_t value);
    // Throw CArchiveException(endOfFile) when the stream ends inside the value.
    CArchive& operator>>(std::uint16_t& value);
    CArchive& operator>>(std::uint32_t& value);

    // Raw blocks. Read returns the number of bytes the stream still had, which
    // may be fewer than asked for. The stream's own failures (CFileException)
    // pass through unchanged.
    void Write(const void* pBuffer, std::size_t nCount);
    std::size_t Read(void* pBuffer, std::size_t nCount);

private:
    void ReadExactly(void* pBuffer, std::size_t nCount);

    CByteStream& m_stream;
    Mode m_mode;
};
