// wxl moves, sgf and import: the SGF reader and writer on their own, and the
// commands as a user runs them.
#include "record/MoveRecord.h"
#include "support/RecordBytes.h"
#include "support/RunTool.h"
#include "support/TempFolder.h"
#include "record/sgf/SgfReader.h"
#include "record/sgf/SgfWriter.h"
#include "tools/WxlFolder.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using testing_support::RecordBytes;
using testing_support::RunTool;
using testing_support::ToolRun;

constexpr MovePoint P = PASS_MARK;

std::vector<MovePoint> EntriesOf(const MoveRecord& moves)
{
    return {moves.begin(), moves.end()};
}

MoveRecord RecordOf(const std::vector<MovePoint>& entries)
{
    MoveRecord moves;
    for (const MovePoint entry : entries)
        moves.Add(entry);
    return moves;
}

// Stones (often on points already taken), passes and bombs in any order,
// runs of bombs and passes right after bombs among them.
std::vector<MovePoint> RandomEntries(std::mt19937& random)
{
    std::vector<MovePoint> entries(std::uniform_int_distribution<int>(0, 120)(random));
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> coordinate(1, 6);  // a corner, so that stones meet
    for (MovePoint& entry : entries) {
        const int nKind = kind(random);
        entry = nKind < 2 ? PASS_MARK : nKind < 4 ? BOMB_MARK : MovePoint{coordinate(random), coordinate(random)};
    }
    return entries;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SgfRoundTrip, EveryRecordComesBackEntryForEntryWithNothingDroppedOrInserted)
{
    std::mt19937 random(20261209);
    for (int nRecord = 0; nRecord < 400; ++nRecord) {
        const std::vector<MovePoint> entries = RandomEntries(random);
        const std::string sgf = WriteSgf(RecordOf(entries));
        const SgfImport import = ReadSgf(sgf);
        ASSERT_EQ(EntriesOf(import.moves), entries) << sgf;
        EXPECT_EQ(DescribeImport(import), std::to_string(entries.size()) + (entries.size() == 1 ? " entry" : " entries"))
            << sgf;
    }
}

// Whatever wxl sgf writes, wxl import reads: the export of the longest record
// exported fits in what the import reads, node by node.
TEST(SgfRoundTrip, TheLongestExportIsOneTheImportReads)
{
    // Every kind of entry, a flower stone on each coordinate's widest letter.
    const MoveRecord record = RecordOf({{19, 19}, {1, 19}, P, BOMB_MARK, {19, 19}, BOMB_MARK, P, P, BOMB_MARK, P});
    const std::string sgf = WriteSgf(record);

    const std::size_t nRootEnd = sgf.find('\n') + 1;
    EXPECT_LE(nRootEnd + std::string_view(")\n").size(), kSgfFrameBytes);
    std::size_t nLongestNode = 0;
    for (std::size_t at = nRootEnd; sgf[at] == ';'; at = sgf.find('\n', at) + 1)
        nLongestNode = std::max(nLongestNode, sgf.find('\n', at) + 1 - at);
    EXPECT_EQ(nLongestNode, kSgfLongestEntryNode);
    EXPECT_LE(kSgfFrameBytes + std::size_t{kMaxSgfEntries} * kSgfLongestEntryNode, kMaxSgfBytes);
}

struct ImportCase {
    std::string_view name;
    std::string_view sgf;
    std::vector<MovePoint> entries;
    std::string_view summary;
};

TEST(SgfImport, OtherEditorsGamesKeepEachStonesColourAndCountWhatIsDropped)
{
    const ImportCase cases[] = {
        {"handicap stones, then White", "(;GM[1]FF[4]SZ[19]HA[2]AB[dp][pd]PL[W];W[dd];B[pp])",
         {{4, 16}, P, {16, 4}, {4, 4}, {16, 16}},
         "5 entries; dropped 2 other properties (HA PL); inserted 1 pass"},
        {"out of turn, passes as [] and [tt]", "(;FF[3];B[aa];B[bb];W[];W[tt];B[tt])",
         {{1, 1}, P, {2, 2}, P, P, P, P},
         "7 entries; inserted 2 passes"},
        {"variations, escapes, soft line breaks",
         "(;C[a \\] b\\\\];B[cc]\n(;W[dd]C[x\\\n]\n;B[ee]TR[aa]LB[bb:1])(;W[ff](;B[gg])(;B[hh])))(;B[ii])",
         {{3, 3}, {4, 4}, {5, 5}},
         "3 entries; dropped 1 other game, 1 variation, 2 comments, 2 markup properties"},
        {"setup rectangles, cleared points", "(;AW[aa:bb]AE[cc][dd:ee])",
         {P, {1, 1}, P, {2, 1}, P, {1, 2}, P, {2, 2}},
         "8 entries; dropped 5 cleared points (AE); inserted 4 passes"},
        // 俔 is 82 5D and 乗 81 5C in GB18030: read as bytes, they would end
        // or escape the value.
        {"GB18030", "(;CA[GB18030]GN[\x82\x5d]C[\x81\x5c];B[aa])", {{1, 1}},
         "1 entry; dropped 1 comment, 1 other property (GN)"},
    };
    for (const ImportCase& test : cases) {
        SgfImport import;
        ASSERT_NO_THROW(import = ReadSgf(test.sgf)) << test.name;
        EXPECT_EQ(EntriesOf(import.moves), test.entries) << test.name;
        EXPECT_EQ(DescribeImport(import), test.summary) << test.name;
    }
}

// A TSCII byte can be a syllable of four Tamil characters, 12 bytes of UTF-8:
// text that grows far more than most once converted is still read whole.
TEST(SgfImport, TextThatGrowsTwelvefoldOnceConvertedIsRead)
{
    const iconv_t converter = iconv_open("UTF-8", "TSCII");
    if (converter == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "this system's iconv does not convert TSCII";
    iconv_close(converter);
    // 0x82 is ஸ்ரீ (U+0BB8 U+0BCD U+0BB0 U+0BC0).
    const std::string sgf = "(;CA[TSCII]C[" + std::string(200, '\x82') + "];B[aa])";

    SgfImport import;
    ASSERT_NO_THROW(import = ReadSgf(sgf));
    EXPECT_EQ(EntriesOf(import.moves), (std::vector<MovePoint>{{1, 1}}));
    EXPECT_EQ(DescribeImport(import), "1 entry; dropped 1 comment");
}

// But not without end: 24 MB of such bytes, 288 MB once converted, were
// read, and the 64 MB a file may hold took 3 GB.
TEST(SgfImport, TextTooLongOnceConvertedIsRefused)
{
    const iconv_t converter = iconv_open("UTF-8", "TSCII");
    if (converter == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "this system's iconv does not convert TSCII";
    iconv_close(converter);
    const std::string sgf = "(;CA[TSCII]C[" + std::string(std::size_t{24} << 20, '\x82') + "];B[aa])";

    try {
        ReadSgf(sgf);
        ADD_FAILURE() << "read";
    } catch (const CSgfError& e) {
        EXPECT_STREQ(e.what(), "too long once converted from TSCII (more than 256 MB of UTF-8)");
    }
}

class WxlSgfTest : public WxlFolderTest {};

TEST_F(WxlSgfTest, ExportThenImportGivesBackTheSameFile)
{
    std::mt19937 random(7);
    std::vector<MovePoint> entries;
    while (entries.size() < 100)
        entries = RandomEntries(random);
    const std::string original = RecordBytes(entries);
    const std::string wxl = WriteFile("game.wxl", original);

    const ToolRun exported = Wxl({"sgf", wxl, "-o", PathOf("game.sgf")});
    ASSERT_EQ(exported.nExit, 0) << exported.err;
    EXPECT_EQ(exported.err, "");
    const ToolRun imported = Wxl({"import", PathOf("game.sgf"), "-o", PathOf("back.wxl")});
    ASSERT_EQ(imported.nExit, 0) << imported.err;
    EXPECT_EQ(imported.err, "wxl: " + PathOf("game.sgf") + ": " + std::to_string(entries.size()) + " entries\n");
    EXPECT_EQ(ReadBytes(PathOf("back.wxl")), original);
}

// 400,000 bombs and flower stones, the longest nodes there are, there and back.
TEST_F(WxlSgfTest, ALongRecordOfBombsAndFlowerStonesComesBack)
{
    std::vector<MovePoint> entries;
    for (int i = 0; i < 200'000; ++i)
        entries.insert(entries.end(), {BOMB_MARK, {i % 19 + 1, 19}});
    const std::string original = RecordBytes(entries);
    const std::string wxl = WriteFile("bombs.wxl", original);

    ASSERT_EQ(Wxl({"sgf", wxl, "-o", PathOf("bombs.sgf")}).nExit, 0);
    const ToolRun imported = Wxl({"import", PathOf("bombs.sgf"), "-o", PathOf("back.wxl")});

    ASSERT_EQ(imported.nExit, 0) << imported.err;
    EXPECT_EQ(ReadBytes(PathOf("back.wxl")), original);
}

// A file of 67 MB, which import would refuse, is not written at all.
TEST_F(WxlSgfTest, ExportRefusesARecordTooLongForTheImportToReadBack)
{
    const std::string wxl = WriteFile("long.wxl", RecordBytes(std::vector<MovePoint>(kMaxSgfEntries + 1, BOMB_MARK)));

    const ToolRun run = Wxl({"sgf", wxl, "-o", PathOf("long.sgf")});

    EXPECT_EQ(run.nExit, 1);
    EXPECT_EQ(run.err, "wxl: " + wxl + ": " + std::to_string(kMaxSgfEntries + 1) +
                           " entries; an SGF export holds at most " + std::to_string(kMaxSgfEntries) +
                           ", so that wxl import reads it back (64 MB)\n");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"long.wxl"});
}

TEST_F(WxlSgfTest, ImportRefusesWhatIsNotA19x19GoGameAndWritesNothing)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"(;GM[1]SZ[13];B[aa])", "line 1: board size SZ[13]; wxl records only 19 x 19 games"},
        {"(;GM[2];B[aa])", "line 1: GM[2] is not a game of Go; wxl reads only Go (GM[1])"},
        {"<html>(;B[aa])</html>", "not an SGF file (it does not begin with '(;')"},
        {"(;B[aa];W[bb", "line 1: a property value without its closing ']'"},
        {"(;B[aa];W[bb]", "the file ends inside a game tree (a ')' is missing)"},
        {"(;CA[x-no-such-set];B[aa])", "unknown character set 'x-no-such-set' (CA)"},
    };
    for (const auto& [sgf, reason] : cases) {
        const std::string input = WriteFile("bad.sgf", sgf);
        const ToolRun run = Wxl({"import", input, "-o", PathOf("out.wxl")});
        EXPECT_EQ(run.nExit, 1) << sgf;
        EXPECT_EQ(run.err, "wxl: " + input + ": " + std::string(reason) + '\n') << sgf;
        EXPECT_EQ(FilesInFolder(), std::set<std::string>{"bad.sgf"}) << sgf;
    }
}

// wxl held to 100 MB of address space, for what a command keeps of a file
// that must not grow with its text.
class WxlSgfMemoryTest : public WxlSgfTest {
protected:
    static constexpr const char* kPrlimit = "/usr/bin/prlimit";

    void SetUp() override
    {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit this test sets";
#endif
        if (!std::filesystem::exists(kPrlimit))
            GTEST_SKIP() << "no prlimit here";
    }

    static ToolRun WxlWithin100Mb(const std::vector<std::string>& args)
    {
        std::vector<std::string> command{"--as=" + std::to_string(100 << 20), "--", WXL_PATH};
        command.insert(command.end(), args.begin(), args.end());
        return RunTool(kPrlimit, command);
    }

    // "(;" then part nTimes over, then ")".
    static std::string RootOf(std::string_view part, int nTimes)
    {
        std::string sgf = "(;";
        for (int i = 0; i < nTimes; ++i)
            sgf += part;
        return sgf + ")";
    }
};

// What the import drops is only counted: 2,000,000 comments in 6 MB of text
// once took 250 MB, kept until the end of their node.
TEST_F(WxlSgfMemoryTest, ImportKeepsNoneOfWhatItDrops)
{
    const std::string input = WriteFile("comments.sgf", RootOf("C[]", 2'000'000));

    const ToolRun run = WxlWithin100Mb({"import", input, "-o", PathOf("out.wxl")});

    EXPECT_EQ(run.nExit, 0);
    EXPECT_EQ(run.err, "wxl: " + input + ": 0 entries; dropped 2000000 comments\n");
}

// The root's game information that a story keeps is bounded too: 2,000,000
// properties in 8 MB of text once took 200 MB, each kept apart.
TEST_F(WxlSgfMemoryTest, AStoryKeepsThousandsOfRootPropertiesAndCountsTheRestAsDropped)
{
    const std::string input = WriteFile("information.sgf", RootOf("XX[]", 2'000'000));

    const ToolRun run = WxlWithin100Mb({"moves", input});

    EXPECT_EQ(run.nExit, 0);
    EXPECT_EQ(run.err, "wxl: " + input + ": 0 entries; dropped 1995904 other properties (XX)\n");
}

TEST_F(WxlSgfTest, MovesListsEachEntryWithItsReplayColourAndShownCoordinates)
{
    // A bomb first replays black; the stone after a bomb and a pass after one
    // are flower.
    const std::string path = WriteFile("game.wxl", RecordBytes({BOMB_MARK, {10, 10}, {1, 19}, BOMB_MARK, P}));

    const ToolRun text = Wxl({"moves", path});
    EXPECT_EQ(text.nExit, 0);
    EXPECT_EQ(text.out, "1 黑 bomb\n2 花 0 0\n3 黑 -9 -9\n4 花 bomb\n5 花 pass\n");

    const ToolRun json = Wxl({"moves", "--json", "--", path});
    EXPECT_EQ(json.nExit, 0);
    const std::string firstTwo =
        "[\n{\"n\":1,\"colour\":\"黑\",\"kind\":\"bomb\",\"x\":21,\"y\":21,\"dx\":11,\"dy\":-11},\n"
        "{\"n\":2,\"colour\":\"花\",\"kind\":\"stone\",\"x\":10,\"y\":10,\"dx\":0,\"dy\":0},";
    EXPECT_EQ(json.out.substr(0, firstTwo.size()), firstTwo);
    EXPECT_TRUE(json.out.ends_with("\"kind\":\"pass\",\"x\":21,\"y\":20,\"dx\":11,\"dy\":-10}\n]\n"));
}

}  // namespace
