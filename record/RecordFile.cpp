#include "RecordFile.h"

#include "fw/core/CArchive.h"
#include "fw/core/FileException.h"
#include "fw/core/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <type_traits>
#include <vector>

namespace {

constexpr std::size_t kEntryBytes = 8;
static_assert(sizeof(MovePoint) == kEntryBytes && std::is_trivially_copyable_v<MovePoint>);
constexpr int kEntriesPerBlock = 8192;

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
    loaded.SetSize(static_cast<int>(nCount));
    const std::size_t nBytes = static_cast<std::size_t>(nCount) * kEntryBytes;
    if (ar.Read(loaded.GetData(), nBytes) != nBytes)
        throw CArchiveException(CArchiveException::endOfFile);

    for (MovePoint& entry : loaded) {
        if constexpr (std::endian::native != std::endian::little) {
            unsigned char bytes[kEntryBytes];
            std::memcpy(bytes, &entry, kEntryBytes);
            entry = {static_cast<std::int32_t>(DecodeFixed32(bytes)),
                     static_cast<std::int32_t>(DecodeFixed32(bytes + 4))};
        }
        if (!IsRecordEntry(entry))
            throw CArchiveException(CArchiveException::badFormat);
    }
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
