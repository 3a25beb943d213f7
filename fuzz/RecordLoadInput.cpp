// One fuzz input as a .wxl file: load, replay, step back, save, load again.
#include "fuzz/FuzzInputs.h"

#include "fw/core/DocumentPaths.h"
#include "fw/core/MessageBox.h"
#include "record/ClientDoc.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kFormatMessage = "非预期的文件格式。";
constexpr int kStepsBack = 3;

std::uint32_t LittleEndian(const std::uint8_t* p, int nBytes)
{
    std::uint32_t value = 0;
    for (int i = nBytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

MovePoint EntryAt(const std::uint8_t* p)
{
    return {static_cast<std::int32_t>(LittleEndian(p, 4)), static_cast<std::int32_t>(LittleEndian(p + 4, 4))};
}

// Where the entries of a sound file start and how many there are.
struct Layout {
    std::size_t nPrefix = 0;
    std::uint32_t nCount = 0;
};

// The format, decoded on its own terms; nullopt for a file it rejects.
std::optional<Layout> Decode(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return Layout{};
    if (size < 2)
        return std::nullopt;
    Layout layout{2, LittleEndian(data, 2)};
    if (layout.nCount == 0xFFFF) {
        if (size < 6)
            return std::nullopt;
        layout = {6, LittleEndian(data + 2, 4)};
    }
    if ((size - layout.nPrefix) / 8 < layout.nCount)
        return std::nullopt;
    for (std::uint32_t i = 0; i < layout.nCount; ++i)
        if (!IsRecordEntry(EntryAt(data + layout.nPrefix + 8 * i)))
            return std::nullopt;
    return layout;
}

// The bytes a save of those entries must give: the shortest count prefix,
// then the entries as they stood in the input.
std::string CanonicalFile(const std::uint8_t* data, const Layout& layout)
{
    const std::uint32_t n = layout.nCount;
    std::string bytes = n < 0xFFFF ? std::string{char(n), char(n >> 8)}
                                   : std::string{'\xFF', '\xFF', char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
    return bytes.append(reinterpret_cast<const char*>(data) + layout.nPrefix, std::size_t{8} * n);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool HasEntries(const CClientDoc& doc, const std::uint8_t* data, const Layout& layout)
{
    if (static_cast<std::uint32_t>(doc.m_moves.GetSize()) != layout.nCount)
        return false;
    for (int i = 0; i < doc.m_moves.GetSize(); ++i)
        if (doc.m_moves[i] != EntryAt(data + layout.nPrefix + std::size_t{8} * i))
            return false;
    return true;
}

std::string CheckRefused(const CClientDoc& doc, const std::vector<std::string>& messages)
{
    if (messages != std::vector<std::string>{std::string(kFormatMessage)})
        return "a refused file did not give the format message alone";
    if (!doc.m_moves.IsEmpty() || doc.IsModified() || doc.GetTitle() != "Wexlan" || !doc.GetPathName().empty())
        return "a refused file did not leave a new, empty document";
    return CheckDocument(doc);
}

// Replays to the end and back a few steps, checking the document each time.
std::string CheckReplay(CClientDoc& doc)
{
    doc.GoToEnd();
    if (doc.m_nCurMove != doc.m_moves.GetSize())
        return "go to end stopped at " + std::to_string(doc.m_nCurMove);
    std::string fault = CheckDocument(doc);
    for (int i = 0; i < kStepsBack && fault.empty() && doc.m_nCurMove > 0; ++i) {
        const int nBefore = doc.m_nCurMove;
        doc.StepBack();
        fault = doc.m_nCurMove != nBefore - 1 ? "step back did not move one entry" : CheckDocument(doc);
        if (fault.empty())
            fault = CheckAgainstReplay(doc);
    }
    return fault;
}

}  // namespace

std::string RunRecordLoadInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = ScratchFolder() + "/input.wxl";
    const std::string output = ScratchFolder() + "/output.wxl";
    std::ofstream(input, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> messages;
    const CMessageBoxRedirect redirect([&messages](const std::string& text) { messages.push_back(text); });
    CClientDoc doc;
    fw::NewDocument(doc);
    const bool bLoaded = fw::OpenDocumentFile(doc, input);
    const std::optional<Layout> layout = Decode(data, size);
    if (bLoaded != layout.has_value())
        return bLoaded ? "a file the format rejects was loaded" : "a sound file was refused";
    if (!bLoaded)
        return CheckRefused(doc, messages);
    if (!messages.empty() || !HasEntries(doc, data, *layout) || doc.m_nCurMove != 0 || doc.IsModified())
        return "a sound file did not load as its entries at position 0, unmodified";
    if (std::string fault = CheckReplay(doc); !fault.empty())
        return fault;

    if (!fw::SaveDocumentAs(doc, output) || doc.IsModified())
        return "saving the loaded game failed";
    if (ReadFile(output) != CanonicalFile(data, *layout))
        return "the saved file is not the record in its canonical layout";
    CClientDoc reloaded;
    fw::NewDocument(reloaded);
    if (!fw::OpenDocumentFile(reloaded, output) || !HasEntries(reloaded, data, *layout))
        return "the saved file did not load back as the same record";
    return {};
}
