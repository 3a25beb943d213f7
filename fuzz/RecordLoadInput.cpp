// One fuzz input as the bytes of a .wxl file, decoded from memory: load,
// replay, step back, store, load again.
#include "fuzz/FuzzInputs.h"

#include "fw/core/CArchive.h"
#include "fw/core/CMemFile.h"
#include "fw/core/FileException.h"
#include "fw/core/LittleEndian.h"
#include "record/ClientDoc.h"

#include <optional>
#include <utility>

namespace {

constexpr int kStepsBack = 3;
// The record a load starts from: a refused input must leave it in place.
constexpr MovePoint kEarlierEntry{10, 10};

MovePoint EntryAt(const std::uint8_t* p)
{
    return {static_cast<std::int32_t>(DecodeFixed32(p)), static_cast<std::int32_t>(DecodeFixed32(p + 4))};
}

// Where the entries of a sound record start and how many there are.
struct Layout {
    std::size_t nPrefix = 0;
    std::uint32_t nCount = 0;
};

// What the format makes of some bytes: the layout of a sound record, or the
// cause it refuses them for.
struct Verdict {
    std::optional<Layout> layout;
    CArchiveException::Cause refusal = CArchiveException::endOfFile;
};

// The format, decoded on its own terms.
Verdict Decode(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return {};
    Layout layout{2, DecodeFixed16(data)};
    if (layout.nCount == 0xFFFF) {
        if (size < 6)
            return {};
        layout = {6, DecodeFixed32(data + 2)};
    }
    if ((size - layout.nPrefix) / 8 < layout.nCount)
        return {};
    for (std::uint32_t i = 0; i < layout.nCount; ++i)
        if (!IsRecordEntry(EntryAt(data + layout.nPrefix + std::size_t{8} * i)))
            return {std::nullopt, CArchiveException::badFormat};
    return {layout};
}

// The bytes a store of those entries must give: the shortest count prefix,
// then the entries as they stood in the input.
std::string CanonicalFile(const std::uint8_t* data, const Layout& layout)
{
    unsigned char prefix[6];
    std::size_t nPrefix = 2;
    if (layout.nCount < 0xFFFF) {
        EncodeFixed16(prefix, static_cast<std::uint16_t>(layout.nCount));
    } else {
        EncodeFixed16(prefix, 0xFFFF);
        EncodeFixed32(prefix + 2, layout.nCount);
        nPrefix = 6;
    }
    std::string bytes(reinterpret_cast<const char*>(prefix), nPrefix);
    return bytes.append(reinterpret_cast<const char*>(data) + layout.nPrefix, std::size_t{8} * layout.nCount);
}

// Decodes bytes into the document, as its Open does with a file's content.
void Load(CClientDoc& doc, std::string bytes)
{
    CMemFile file(std::move(bytes));
    CArchive ar(file, CArchive::load);
    doc.Serialize(ar);
}

std::string Store(CClientDoc& doc)
{
    CMemFile file;
    CArchive ar(file, CArchive::store);
    doc.Serialize(ar);
    return file.GetBytes();
}

bool HasEntries(const CClientDoc& doc, const std::uint8_t* data, const Layout& layout)
{
    const MoveRecord& moves = doc.GetMoves();
    if (static_cast<std::uint32_t>(moves.GetSize()) != layout.nCount)
        return false;
    for (int i = 0; i < moves.GetSize(); ++i)
        if (moves[i] != EntryAt(data + layout.nPrefix + std::size_t{8} * i))
            return false;
    return true;
}

// Replays to the end and back a few steps, checking the document each time.
std::string CheckReplay(CClientDoc& doc)
{
    doc.GoToEnd();
    if (doc.GetCurMove() != doc.GetMoves().GetSize())
        return "go to end stopped at " + std::to_string(doc.GetCurMove());
    std::string fault = CheckDocument(doc);
    for (int i = 0; i < kStepsBack && fault.empty() && doc.GetCurMove() > 0; ++i) {
        const int nBefore = doc.GetCurMove();
        doc.StepBack();
        fault = doc.GetCurMove() != nBefore - 1 ? "step back did not move one entry" : CheckDocument(doc);
        if (fault.empty())
            fault = CheckAgainstReplay(doc);
    }
    return fault;
}

}  // namespace

std::string RunRecordLoadInput(const std::uint8_t* data, std::size_t size)
{
    CClientDoc doc;
    MoveRecord earlier;
    earlier.Add(kEarlierEntry);
    doc.LoadRecord(std::move(earlier));
    std::optional<CArchiveException::Cause> refusal;
    try {
        Load(doc, std::string(reinterpret_cast<const char*>(data), size));
    } catch (const CArchiveException& e) {
        refusal = e.m_cause;
    }
    const Verdict verdict = Decode(data, size);
    if (refusal.has_value() == verdict.layout.has_value())
        return refusal ? "a sound record was refused" : "bytes the format rejects were loaded";
    if (refusal) {
        if (*refusal != verdict.refusal)
            return "a record was refused for the wrong cause";
        if (doc.GetMoves().GetSize() != 1 || doc.GetMoves()[0] != kEarlierEntry)
            return "a refused record changed the record it was loaded into";
        return CheckDocument(doc);
    }
    if (!HasEntries(doc, data, *verdict.layout) || doc.GetCurMove() != 0)
        return "a sound record did not load as its entries at position 0";
    if (std::string fault = CheckReplay(doc); !fault.empty())
        return fault;

    const std::string stored = Store(doc);
    if (stored != CanonicalFile(data, *verdict.layout))
        return "the stored record is not in its canonical layout";
    CClientDoc reloaded;
    try {
        Load(reloaded, stored);
    } catch (const CArchiveException&) {
        return "the stored record was refused";
    }
    if (!HasEntries(reloaded, data, *verdict.layout))
        return "the stored record did not load back as the same record";
    return {};
}
