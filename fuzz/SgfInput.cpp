// One fuzz input as an SGF file: read, and when it reads, written as SGF and
// read back.
#include "fuzz/FuzzInputs.h"

#include "record/sgf/GameStory.h"
#include "record/sgf/SgfReader.h"
#include "record/sgf/SgfWriter.h"

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

    // The story changes nothing in the record, and the export keeps it.
    GameStory story;
    const SgfImport told = ReadSgf(std::string_view(reinterpret_cast<const char*>(data), size), &story);
    if (!std::equal(moves.begin(), moves.end(), told.moves.begin(), told.moves.end()))
        return "reading the story changed the record";
    const std::string sgf = WriteSgf(moves, story);
    if (sgf.size() > kMaxSgfBytes)
        return {};  // too long for an export, which wxl sgf refuses
    GameStory toldAgain;
    try {
        again = ReadSgf(sgf, &toldAgain);
    } catch (const CSgfError& e) {
        return std::string("the export with its story was refused: ") + e.what();
    }
    if (!std::equal(moves.begin(), moves.end(), again.moves.begin(), again.moves.end()))
        return "the export with its story did not read back as the same entries";
    // Setup that AB and AW cannot give back in its order is written as moves.
    if (toldAgain.rootProperties != story.rootProperties || toldAgain.comments != story.comments ||
        (toldAgain.nSetupEntries != story.nSetupEntries && toldAgain.nSetupEntries != 0))
        return "the export did not keep the story";
    return {};
}
