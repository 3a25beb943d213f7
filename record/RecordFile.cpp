#include "RecordFile.h"

#include "fw/core/CArchive.h"
#include "fw/core/FileException.h"
#include "fw/core/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

namespace {

constexpr std::size_t kEntryBytes = 8;
static_assert(sizeof(MovePoint) == kEntryBytes && std::is_trivially_copyable_v<MovePoint>);
// 256 KiB: a block of entries stays in the processor's cache between being
// read or encoded and being checked or written.
constexpr int kEntriesPerBlock = 32768;

void StoreEntries(CArchive& ar, const MoveRecord& moves)
{
    ar.WriteCount(static_cast<std::uint32_t>(moves.GetSize()));
    if constexpr (std::endian::native == std::endian::little) {
        ar.Write(moves.GetData(), static_cast<std::size_t>(moves.GetSize()) * kEntryBytes);
    } else {
        std::vector<unsigned char> block(kEntriesPerBlock * kEntryBytes);
        for (int nFirst = 0; nFirst < moves.GetSize(); nFirst += kEntriesPerBlock) {
            const int nCount = std::min(kEntriesPerBlock, moves.GetSize() - nFirst);
            for (int i = 0; i < nCount; ++i) {
                EncodeFixed32(&block[i * kEntryBytes], static_cast<std::uint32_t>(moves[nFirst + i].x));
                EncodeFixed32(&block[i * kEntryBytes + 4], static_cast<std::uint32_t>(moves[nFirst + i].y));
            }
            ar.Write(block.data(), static_cast<std::size_t>(nCount) * kEntryBytes);
        }
    }
}

// Turns a block read straight from the stream into entries: nothing to do
// where the machine is little-endian, as the stored bytes are.
void DecodeBlock(MovePoint* pBlock, int nCount)
{
    if constexpr (std::endian::native != std::endian::little) {
        for (MovePoint& entry : std::span(pBlock, static_cast<std::size_t>(nCount))) {
            unsigned char bytes[kEntryBytes];
            std::memcpy(bytes, &entry, kEntryBytes);
            entry = {static_cast<std::int32_t>(DecodeFixed32(bytes)),
                     static_cast<std::int32_t>(DecodeFixed32(bytes + 4))};
        }
    }
}

MoveRecord LoadEntries(CArchive& ar)
{
    const std::uint32_t nCount = ar.ReadCount();
    // The count is checked against the bytes the stream really holds before
    // anything is allocated for it.
    if (nCount > INT_MAX || ar.GetBytesLeft() / kEntryBytes < nCount)
        throw CArchiveException(CArchiveException::endOfFile);

    MoveRecord loaded;
    if (nCount == 0)
        return loaded;
    loaded.SetSizeForOverwrite(static_cast<int>(nCount));
    // The entries are read straight into the record, no copy between, one
    // block at a time so that each is checked while it is still in the
    // cache: a second pass over a long record would fetch it all from memory
    // again. A bad entry is reported only once every block is read, so a
    // stream that ends early or fails still gives its own error.
    bool bAllSound = true;
    for (int nFirst = 0; nFirst < loaded.GetSize(); nFirst += kEntriesPerBlock) {
        const int nBlock = std::min(kEntriesPerBlock, loaded.GetSize() - nFirst);
        MovePoint* pBlock = loaded.GetData() + nFirst;
        const std::size_t nBytes = static_cast<std::size_t>(nBlock) * kEntryBytes;
        if (ar.Read(pBlock, nBytes) != nBytes)
            throw CArchiveException(CArchiveException::endOfFile);
        DecodeBlock(pBlock, nBlock);
        bAllSound = bAllSound && std::all_of(pBlock, pBlock + nBlock, IsRecordEntry);
    }
    if (!bAllSound)
        throw CArchiveException(CArchiveException::badFormat);
    return loaded;
}

}  // namespace

void SerializeRecord(CArchive& ar, MoveRecord& moves)
{
    if (ar.IsStoring())
        StoreEntries(ar, moves);
    else
        moves = LoadEntries(ar);
}
