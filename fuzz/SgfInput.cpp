// One fuzz input as an SGF file: read, and when it reads, written as SGF and
// read back.
#include "fuzz/FuzzInputs.h"

#include "tools/wxl/SgfReader.h"
#include "tools/wxl/SgfWriter.h"

#include <algorithm>
#include <string_view>

std::string RunSgfInput(const std::uint8_t* data, std::size_t size)
{
    SgfImport import;
    try {
        import = ReadSgf(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const CSgfError& e) {
        if (std::string_view(e.what()).empty())
            return "a refusal without a reason";
        return {};
    }
    const MoveRecord& moves = import.moves;
    if (!std::all_of(moves.begin(), moves.end(), IsRecordEntry))
        return "an entry that is neither a board point nor a mark";

    if (moves.GetSize() > kMaxSgfEntries)
        return {};  // too long for an export, which wxl sgf refuses
    SgfImport again;
    try {
        again = ReadSgf(WriteSgf(moves));
    } catch (const CSgfError& e) {
        return std::string("the exported record was refused: ") + e.what();
    }
    if (!std::equal(moves.begin(), moves.end(), again.moves.begin(), again.moves.end()))
        return "the exported record did not read back as the same entries";
    SgfImport justTheEntries;
    justTheEntries.moves = again.moves;
    if (DescribeImport(again) != DescribeImport(justTheEntries))
        return "reading the exported record dropped or inserted something";
    return {};
}
