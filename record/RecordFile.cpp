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

// Reads nCount entries into pEntries, one block at a time so that each is
// checked while it is still in the cache: a second pass over a long record
// would fetch it all from memory again. Returns whether every entry is sound.
// A bad entry is reported only once every block is read, so a stream that
// ends early or fails still gives its own error.
bool ReadEntries(CArchive& ar, MovePoint* pEntries, int nCount)
{
    bool bAllSound = true;
    for (int nFirst = 0; nFirst < nCount; nFirst += kEntriesPerBlock) {
        const int nBlock = std::min(kEntriesPerBlock, nCount - nFirst);
        MovePoint* pBlock = pEntries + nFirst;
        const std::size_t nBytes = static_cast<std::size_t>(nBlock) * kEntryBytes;
        if (ar.Read(pBlock, nBytes) != nBytes)
            throw CArchiveException(CArchiveException::endOfFile);
        DecodeBlock(pBlock, nBlock);
        bAllSound = bAllSound && std::all_of(pBlock, pBlock + nBlock, IsRecordEntry);
    }
    return bAllSound;
}

MoveRecord LoadEntries(CArchive& ar)
{
    const std::uint32_t nCount = ar.ReadCount();
    if (nCount > INT_MAX)
        throw CArchiveException(CArchiveException::endOfFile);

    MoveRecord loaded;
    if (nCount == 0)
        return loaded;
    // Storage is sought only for entries the stream shows it holds, so that a
    // huge count in a tiny file costs nothing.
    bool bAllSound = true;
    if (ar.GetBytesLeft() / kEntryBytes >= nCount) {
        // The length promises them all: they are read straight into the
        // record, no copy between.
        loaded.SetSizeForOverwrite(static_cast<int>(nCount));
        bAllSound = ReadEntries(ar, loaded.GetData(), loaded.GetSize());
    } else {
        // A length short of the count may be wrong (a /proc file reports
        // none): the entries are gathered as they arrive, then copied into a
        // record of exactly their number, as a load always makes.
        std::vector<MovePoint> arrived;
        while (arrived.size() < nCount) {
            const std::size_t nHave = arrived.size();
            const int nBlock = static_cast<int>(std::min<std::size_t>(kEntriesPerBlock, nCount - nHave));
            arrived.resize(nHave + static_cast<std::size_t>(nBlock));
            bAllSound = ReadEntries(ar, arrived.data() + nHave, nBlock) && bAllSound;
        }
        loaded.SetSizeForOverwrite(static_cast<int>(nCount));
        std::copy(arrived.begin(), arrived.end(), loaded.begin());
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
