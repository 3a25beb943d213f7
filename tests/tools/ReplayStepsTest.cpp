// The step stream of `wxl html`, byte for byte: the page decodes exactly this
// layout (tools/wxl/ReplaySteps.h), so a change here must be a change there.
#include "record/ClientDoc.h"
#include "support/RecordBytes.h"
#include "support/RunTool.h"
#include "support/TempFolder.h"
#include "tools/wxl/ReplaySteps.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

ReplaySteps Encode(const std::vector<MovePoint>& entries)
{
    MoveRecord moves;
    for (const MovePoint entry : entries)
        moves.Add(entry);
    CClientDoc doc{CClientDoc::OneReplay{}};
    doc.LoadRecord(std::move(moves));
    return EncodeReplaySteps(doc);
}

std::vector<int> Bytes(const ReplaySteps& steps)
{
    return {reinterpret_cast<const unsigned char*>(steps.bytes.data()),
            reinterpret_cast<const unsigned char*>(steps.bytes.data()) + steps.bytes.size()};
}

TEST(ReplaySteps, MovesCapturesMarksAndFlowerStonesTakeTheirBytes)
{
    // Black (1,2), White (1,1), Black (2,1) capturing it, a bomb, a flower
    // stone at (5,5), a pass.
    const ReplaySteps steps = Encode({{1, 2}, {1, 1}, {2, 1}, BOMB_MARK, {5, 5}, PASS_MARK});
    EXPECT_EQ(steps.colourNames, (std::vector<std::string>{"黑", "白", "花"}));
    EXPECT_EQ(Bytes(steps), (std::vector<int>{
                                0x34, 5,           // black, marker, entry leads, one change: cell 1 black
                                0x35, 2,           // white on cell 0
                                0x54, 77, 0,       // black on cell 19 leads, cell 0 emptied
                                0x02, 0xE3, 0x03,  // flower name, no marker, no change, entry 21*22+21
                                0x36, 0xC3, 0x02,  // flower stone on cell 80: 80*4+3 = 323
                                0x01, 0xE2, 0x03,  // white pass, entry 21*22+20
                            }));
}

TEST(ReplaySteps, ManyChangesTakeAnExplicitCount)
{
    // White's stones along the edge, then Black closes them in: one step
    // takes off seven stones and adds its own, eight changes.
    std::vector<MovePoint> entries;
    for (int x = 1; x <= 7; ++x) {
        entries.push_back({x, 2});  // black
        entries.push_back({x, 1});  // white
    }
    entries.push_back({8, 1});  // black captures the seven
    const ReplaySteps steps = Encode(entries);
    const std::vector<int> bytes = Bytes(steps);
    EXPECT_EQ(std::vector<int>(bytes.end() - 16, bytes.end()),
              (std::vector<int>{0xF4, 8,     // black, marker, entry leads, the count follows
                                0x95, 0x04,  // cell 133 black: 533
                                0, 76, 0x98, 1, 0xE4, 1, 0xB0, 2, 0xFC, 2, 0xC8, 3}));  // cells 0, 19... 114 emptied
}

using HtmlCommandTest = testing_support::TempFolderTest;

TEST_F(HtmlCommandTest, BadCommandLinesAreUsageErrorsAndWriteNothing)
{
    const std::string record = PathOf("game.wxl");
    std::ofstream(record, std::ios::binary) << testing_support::RecordBytes({{4, 4}, {16, 16}});
    const std::string page = PathOf("game.html");
    const std::vector<std::vector<std::string>> commandLines = {
        {"html", record},
        {"html", "-o", page},
        {"html", record, "-o", page, "--at", "3"},
        {"html", record, "-o", page, "--at", "-1"},
        {"html", record, "-o", page, "--title"},
        {"html", record, record, "-o", page},
    };
    for (const auto& args : commandLines) {
        const testing_support::ToolRun run = testing_support::RunTool(WXL_PATH, args);
        EXPECT_EQ(run.nExit, 2) << testing::PrintToString(args);
        EXPECT_NE(run.err, "") << testing::PrintToString(args);
    }
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"game.wxl"});
}

}  // namespace
