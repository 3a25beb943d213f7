// wxl driven the way a user or a script drives it: arguments and stdin in;
// stdout, stderr and the exit code out, each checked on its own.
#include "record/MoveRecord.h"
#include "support/BoardText.h"
#include "support/RecordBytes.h"
#include "support/RunTool.h"
#include "support/TempFolder.h"
#include "tools/wxl/ThumbnailBudget.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::NormalizeRows;
using testing_support::RecordBytes;

using WxlRun = testing_support::ToolRun;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The lines of a state block after its 19 board rows.
std::string AfterBoard(const std::string& block)
{
    std::size_t at = 0;
    for (int row = 0; row < BOARD_SIZE && at < block.size(); ++row)
        at = block.find('\n', at) + 1;
    return block.substr(at);
}

// The 19 rows of a board holding only the given stones.
std::string BoardRows(std::initializer_list<std::pair<MovePoint, char>> stones = {})
{
    std::string rows;
    for (int y = 1; y <= BOARD_SIZE; ++y)
        rows += std::string(BOARD_SIZE, '.') + '\n';
    for (const auto& [point, symbol] : stones)
        rows[static_cast<std::size_t>((point.y - 1) * (BOARD_SIZE + 1) + point.x - 1)] = symbol;
    return rows;
}

// The lines after the board of a new game, and of a game just loaded.
const std::string kNewGameLines = "position 0/0\ncaption -\ncaptures 0 0\nindicators 4 4\nmodified 0\n";

class WxlToolTest : public testing_support::TempFolderTest {
protected:
    std::string WriteFile(std::string_view name, std::string_view bytes) const
    {
        WriteBytes(PathOf(name), bytes);
        return PathOf(name);
    }

    std::string WriteRecord(std::string_view name, std::initializer_list<MovePoint> entries) const
    {
        return WriteFile(name, RecordBytes(entries));
    }

    // Runs wxl with args and input on its stdin, and waits for it.
    static WxlRun Wxl(const std::vector<std::string>& args, std::string_view input = {})
    {
        return testing_support::RunTool(WXL_PATH, args, {std::string(input)});
    }

    // A session fed the script's commands, which are separated by "; ".
    WxlRun Session(const std::string& script, std::vector<std::string> args = {}) const
    {
        std::string input;
        for (std::size_t at = 0; at < script.size();) {
            const std::size_t end = std::min(script.find("; ", at), script.size());
            input += script.substr(at, end - at) + '\n';
            at = end + 2;
        }
        args.insert(args.begin(), "session");
        return Wxl(args, input);
    }
};

// White's corner stone (1, 1) loses its last liberty to Black's third stone.
constexpr std::initializer_list<MovePoint> kCornerCapture = {{2, 1}, {1, 1}, {1, 2}};

// ---- board ----

TEST_F(WxlToolTest, BoardPrintsTheWholeRecordReplayedWithItsCaptures)
{
    const WxlRun run = Wxl({"board", WriteRecord("corner.wxl", kCornerCapture)});

    EXPECT_EQ(run.nExit, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, NormalizeRows(R"(
        .X.................
        X..................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        position 3/3
        caption 黑3.-98
        captures 1 0
        indicators 4 4
        modified 0
    )"));
}

TEST_F(WxlToolTest, BoardAtStepsForwardOnlyThatFar)
{
    const std::string path = WriteRecord("corner.wxl", kCornerCapture);

    const WxlRun atTwo = Wxl({"board", path, "--at", "2"});
    EXPECT_EQ(atTwo.nExit, 0);
    EXPECT_EQ(atTwo.out, BoardRows({{{1, 1}, 'O'}, {{2, 1}, 'X'}}) +
                             "position 2/3\ncaption 白2.-99\ncaptures 0 0\nindicators 4 4\nmodified 0\n");

    const WxlRun atZero = Wxl({"board", path, "--at", "0"});
    EXPECT_EQ(atZero.nExit, 0);
    EXPECT_EQ(atZero.out, BoardRows() + "position 0/3\ncaption -\ncaptures 0 0\nindicators 4 4\nmodified 0\n");
}

TEST_F(WxlToolTest, BoardGroupsListsEveryGroupHeadFirstWithItsPointsInOrder)
{
    // The fifth stone joins Black's (4, 4) and (6, 4): the left group takes the
    // new point and then the right group's, and moves behind White's group.
    const WxlRun run =
        Wxl({"board", WriteRecord("merge.wxl", {{4, 4}, {16, 4}, {6, 4}, {16, 5}, {5, 4}}), "--groups"});

    EXPECT_EQ(run.nExit, 0);
    EXPECT_EQ(run.out, BoardRows({{{4, 4}, 'X'}, {{5, 4}, 'X'}, {{6, 4}, 'X'}, {{16, 4}, 'O'}, {{16, 5}, 'O'}}) +
                           "position 5/5\ncaption 黑5.-56\ncaptures 0 0\nindicators 4 4\nmodified 0\n"
                           "groups 2\ngroup 16,4 16,5\ngroup 4,4 5,4 6,4\n");
}

TEST_F(WxlToolTest, BoardReportsUnreadableAndMalformedFilesWithTheProgramsMessages)
{
    const std::string missing = PathOf("missing.wxl");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {missing, "没有找到 " + missing + "。\n"},
        {WriteFile("one-byte.wxl", "\x01"), "非预期的文件格式。\n"},
        {WriteRecord("off-board.wxl", {{0, 0}}), "非预期的文件格式。\n"},
    };
    for (const auto& [path, message] : cases) {
        const WxlRun run = Wxl({"board", path});
        EXPECT_EQ(run.nExit, 1) << path;
        EXPECT_EQ(run.out, "") << path;
        EXPECT_EQ(run.err, message) << path;
    }
}

TEST_F(WxlToolTest, BadCommandLinesAndStepsOutsideTheRecordAreUsageErrors)
{
    const std::string path = WriteRecord("corner.wxl", kCornerCapture);
    const std::vector<std::vector<std::string>> commandLines = {
        {},
        {"board"},
        {"board", path, "--at"},
        {"board", path, "--at", "two"},
        {"board", path, "--at", "-1"},
        {"board", path, "--at", "4"},
        {"board", path, path},
        {"check"},
        {"session", path, path},
        {"replay", path},
    };
    for (const auto& args : commandLines) {
        const WxlRun run = Wxl(args);
        EXPECT_EQ(run.nExit, 2) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "") << testing::PrintToString(args);
        EXPECT_NE(run.err, "") << testing::PrintToString(args);
    }
}

// ---- check ----

TEST_F(WxlToolTest, CheckAcceptsSoundFilesAndCountsTheirEntries)
{
    const std::string game = WriteRecord("game.wxl", {{4, 16}, PASS_MARK, BOMB_MARK, {16, 4}});
    const std::string empty = WriteFile("empty.wxl", "");
    const std::string trailing = WriteFile("trailing.wxl", RecordBytes({{10, 10}}) + "extra");

    const WxlRun run = Wxl({"check", game, empty, trailing});

    EXPECT_EQ(run.nExit, 0);
    EXPECT_EQ(run.out, game + ": ok (4 entries)\n" + empty + ": ok (0 entries)\n" + trailing + ": ok (1 entries)\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(WxlToolTest, CheckNamesEachFailureAndFailsWhenAnyFileIsBad)
{
    const std::string good = WriteRecord("good.wxl", kCornerCapture);
    const std::string missing = PathOf("missing.wxl");
    const std::string folder = PathOf("folder.wxl");
    fs::create_directory(folder);
    const std::string oneByte = WriteFile("one-byte.wxl", "\x03");
    const std::string shortBody = WriteFile("short.wxl", RecordBytes({{1, 1}, {2, 2}}).substr(0, 10));
    // four billion entries announced, four bytes of them present
    const std::string hugeCount = WriteFile("huge.wxl", testing_support::CountBytes(0xFFFFFFFF) + "half");
    const std::string border = WriteRecord("border.wxl", {{1, 1}, {21, 19}});

    const WxlRun run = Wxl({"check", good, missing, folder, oneByte, shortBody, hugeCount, border});

    EXPECT_EQ(run.nExit, 1);
    const std::string notARecord = ": 非预期的文件格式。\n";
    const std::string unreadable = missing + ": 没有找到 " + missing + "。\n" +  //
                                   folder + ": 对 " + folder + " 的存取被拒绝。\n";
    EXPECT_EQ(run.out, good + ": ok (3 entries)\n" + unreadable + oneByte + notARecord + shortBody + notARecord +
                           hugeCount + notARecord + border + notARecord);
}

// ---- session ----

TEST_F(WxlToolTest, SessionRecordsStonesPassesAndBombsAsTheyAreClicked)
{
    const WxlRun run = Session("click 4 4; click 16 4; bomb; click 10 10; pass; show");

    EXPECT_EQ(run.nExit, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, NormalizeRows(R"(
        ...................
        ...................
        ...................
        ...X...........O...
        ...................
        ...................
        ...................
        ...................
        ...................
        .........*.........
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        ...................
        position 5/5
        caption 黑5.11-10
        captures 0 0
        indicators 1 2
        modified 1
    )"));
}

TEST_F(WxlToolTest, SessionEndsWithExitZeroAtTheEndOfInput)
{
    const WxlRun silent = Session("");
    EXPECT_EQ(silent.nExit, 0);
    EXPECT_EQ(silent.out, "");
    EXPECT_EQ(silent.err, "");

    const WxlRun unterminated = Wxl({"session"}, "pass\nshow");
    EXPECT_EQ(unterminated.nExit, 0);
    EXPECT_TRUE(AfterBoard(unterminated.out).starts_with("position 1/1\n"));
}

TEST_F(WxlToolTest, ClickOffTheGridDoesNothingAndOnAnOccupiedCellIsForbidden)
{
    const WxlRun run = Session("click 4 4; click 22 4; click 4 -1; click 4 4; click 0 5; click 21 20; show");

    EXPECT_EQ(run.out, "禁手!\n禁手!\n禁手!\n" + BoardRows({{{4, 4}, 'X'}}) +
                           "position 1/1\ncaption 黑1.-66\ncaptures 0 0\nindicators 4 4\nmodified 1\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(WxlToolTest, RightClickTakesAChainOffWithoutTouchingTheRecord)
{
    const WxlRun run = Session("click 4 4; click 10 10; click 4 5; rclick 4 5; "
                               "rclick 10 11; rclick 0 4; rclick 21 20; rclick 25 25; rclick 4 4; show");

    EXPECT_EQ(run.out, "无效点!\n无效点!\n" + BoardRows({{{10, 10}, 'O'}}) +
                           "position 3/3\ncaption 黑3.-65\ncaptures 0 0\nindicators 4 4\nmodified 1\n");
}

TEST_F(WxlToolTest, ACapturedFlowerStoneStaysUntilTwoRightClicks)
{
    // Live play sweeps nothing; back and forward replay the flower stone's
    // capture, which leaves it on the board in no group. The first right click
    // only gives it a group of its own, the second takes it off.
    const WxlRun run = Session("click 2 1; bomb; click 1 1; click 1 2; back; forward; show --groups; "
                               "rclick 1 1; show --groups; rclick 1 1; show");

    const std::string replayed = BoardRows({{{1, 1}, '*'}, {{2, 1}, 'X'}, {{1, 2}, 'O'}});
    const std::string tail = "position 4/4\ncaption 白4.-98\ncaptures 1 0\nindicators 4 2\nmodified 1\n";
    const std::string cleared = BoardRows({{{2, 1}, 'X'}, {{1, 2}, 'O'}});
    EXPECT_EQ(run.out, replayed + tail + "groups 3\ngroup 2,1\ngroup 21,21\ngroup 1,2\n" + replayed + tail +
                           "groups 4\ngroup 2,1\ngroup 21,21\ngroup 1,2\ngroup 1,1\n" + cleared + tail);
}

TEST_F(WxlToolTest, ReplayedMarksJoinTheFirstGroupThatHoldsTheirNeighbour)
{
    // Replayed, the first bomb is black and the second flower, each starting a
    // group on the bomb cell; the flower pass joins the older of the two.
    const WxlRun run = Session("bomb; bomb; pass; start; end; show --groups");

    EXPECT_EQ(run.out, BoardRows() +
                           "position 3/3\ncaption 花3.11-10\ncaptures 0 0\nindicators 2 2\nmodified 1\n"
                           "groups 2\ngroup 21,21\ngroup 21,21 21,20\n");
}

TEST_F(WxlToolTest, CommandsTheDocumentDisablesPrintDisabledAndDoNothing)
{
    const WxlRun run = Session("back; start; forward; end; click 4 4; forward; end; start; back; start; forward; show");

    EXPECT_EQ(run.out, "disabled\ndisabled\ndisabled\ndisabled\n"  // a new game
                       "disabled\ndisabled\n"                      // at the end
                       "disabled\ndisabled\n" +                    // at the start
                           BoardRows({{{4, 4}, 'X'}}) +
                           "position 1/1\ncaption 黑1.-66\ncaptures 0 0\nindicators 4 4\nmodified 1\n");
}

TEST_F(WxlToolTest, NewStartsAnEmptyUnmodifiedGame)
{
    const WxlRun run = Session("click 4 4; bomb; new; show");

    EXPECT_EQ(run.out, BoardRows() + kNewGameLines);
}

TEST_F(WxlToolTest, SaveWritesTheRecordAndOpenReadsItBackAtTheStart)
{
    const std::string path = PathOf("a game.wxl");
    const WxlRun run = Session("click 4 16; click 16 4; pass; back; save " + path +
                               "; show; new; open " + path + "; show; end; show");

    EXPECT_EQ(ReadBytes(path), RecordBytes({{4, 16}, {16, 4}, PASS_MARK}));
    const std::string afterSave = "position 2/3\ncaption 白2.66\ncaptures 0 0\nindicators 4 4\nmodified 0\n";
    const std::string opened = "position 0/3\ncaption -\ncaptures 0 0\nindicators 4 4\nmodified 0\n";
    const std::string atEnd = "position 3/3\ncaption 黑3.11-10\ncaptures 0 0\nindicators 1 4\nmodified 0\n";
    const std::string board = BoardRows({{{4, 16}, 'X'}, {{16, 4}, 'O'}});
    EXPECT_EQ(run.out, board + afterSave + BoardRows() + opened + board + atEnd);
    EXPECT_EQ(run.err, "");
}

TEST_F(WxlToolTest, SessionStartsFromTheFileItIsGiven)
{
    const WxlRun loaded = Session("forward; show", {WriteRecord("corner.wxl", kCornerCapture)});
    EXPECT_EQ(loaded.out, BoardRows({{{2, 1}, 'X'}}) +
                              "position 1/3\ncaption 黑1.-89\ncaptures 0 0\nindicators 4 4\nmodified 0\n");

    const std::string missing = PathOf("missing.wxl");
    const WxlRun fresh = Session("show", {missing});
    EXPECT_EQ(fresh.nExit, 0);
    EXPECT_EQ(fresh.out, "没有找到 " + missing + "。\n" + BoardRows() + kNewGameLines);
}

TEST_F(WxlToolTest, AFailedOpenOrSaveReportsItsMessage)
{
    const std::string missing = PathOf("missing.wxl");
    const std::string malformed = WriteFile("bad.wxl", "\x01");
    const std::string noFolder = PathOf("no/such/folder/game.wxl");

    // A file that cannot be opened leaves the game alone; one that is not a
    // record leaves a new game behind.
    const WxlRun run = Session("click 4 4; open " + missing + "; save " + noFolder + "; show; open " + malformed +
                               "; show");

    const std::string untouched = BoardRows({{{4, 4}, 'X'}}) +
                                  "position 1/1\ncaption 黑1.-66\ncaptures 0 0\nindicators 4 4\nmodified 1\n";
    EXPECT_EQ(run.out, "没有找到 " + missing + "。\n" + "没有找到 " + noFolder + "。\n" + untouched +
                           "非预期的文件格式。\n" + BoardRows() + kNewGameLines);
    EXPECT_FALSE(fs::exists(noFolder));
}

TEST_F(WxlToolTest, OpeningTheFileTheGameCameFromKeepsTheGameAsItIs)
{
    const std::string path = PathOf("game.wxl");
    const WxlRun run = Session("click 4 4; save " + path + "; click 5 5; open " + path + "; show");

    EXPECT_EQ(AfterBoard(run.out), "position 2/2\ncaption 白2.-55\ncaptures 0 0\nindicators 4 4\nmodified 1\n");
}

TEST_F(WxlToolTest, UnknownCommandsAreReportedOnStderrAndTheSessionGoesOn)
{
    const WxlRun run = Session("jump 4 4; click 4; click a b; show all; click 4 4; show");

    EXPECT_EQ(run.nExit, 0);
    EXPECT_TRUE(AfterBoard(run.out).starts_with("position 1/1\n"));
    // One complaint a line, each naming the line, in order.
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 4) << run.err;
    std::size_t at = 0;
    for (const char* line : {"jump 4 4\n", "click 4\n", "click a b\n", "show all\n"}) {
        at = run.err.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << " in:\n" << run.err;
    }
}

TEST_F(WxlToolTest, CoordinatesTooLargeForANumberAreOutOfRangeAndChangeNothing)
{
    const WxlRun run = Session("click 99999999999 1; rclick 1 -99999999999999999999999; show");

    EXPECT_EQ(run.nExit, 0);
    EXPECT_EQ(run.out, BoardRows() + "position 0/0\ncaption -\ncaptures 0 0\nindicators 4 4\nmodified 0\n");
    EXPECT_EQ(run.err, "wxl: coordinate out of range: click 99999999999 1\n"
                       "wxl: coordinate out of range: rclick 1 -99999999999999999999999\n");
}

// Input without newlines must not fill the memory: a line beyond 64 KiB is
// refused while it is read, and the session goes on with the next one.
TEST_F(WxlToolTest, AnOverlongLineIsSkippedWithoutBeingHeldOrEchoed)
{
    // The input comes from a file, so that the tool's peak memory does not
    // include this process's copy of it (the child counts it until the exec).
    const std::string input = PathOf("input.txt");
    {
        std::ofstream out(input, std::ios::binary);
        out << "click 3 3\n";
        const std::string chunk(1 << 20, 'x');
        for (int i = 0; i < 32; ++i)
            out << chunk;
        out << "\nclick 4 4\nshow\n";
    }
    const auto session = [&](const std::string& inputPath) {
        return testing_support::RunTool("/bin/sh", {"-c", "exec \"$0\" session < \"$1\"", WXL_PATH, inputPath});
    };
    const WxlRun shortRun = session(WriteFile("short.txt", "click 4 4\nshow\n"));
    const WxlRun run = session(input);

    EXPECT_EQ(run.nExit, 0);
    EXPECT_EQ(run.err, "wxl: line 2 is longer than 65536 bytes; skipped\n");
    EXPECT_TRUE(AfterBoard(run.out).starts_with("position 2/2\n")) << AfterBoard(run.out);
    EXPECT_LT(run.nMaxResidentKiB, shortRun.nMaxResidentKiB + 8 * 1024);
}

}  // namespace

namespace {

// Width and height from a PNG file's header; {0, 0} when it is not a PNG.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& bytes)
{
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0)
        return {0, 0};
    const auto bigEndian = [&bytes](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    return {bigEndian(16), bigEndian(20)};
}

TEST_F(WxlToolTest, RenderWritesTheViewsPictureOfThePositionAsPng)
{
    const std::string game = WriteRecord("game.wxl", {{4, 4}, {16, 16}});
    const std::string empty = WriteRecord("empty.wxl", {});
    for (const auto& [args, name] : {std::pair{std::vector<std::string>{"--at", "0"}, "start.png"},
                                     std::pair{std::vector<std::string>{}, "end.png"},
                                     std::pair{std::vector<std::string>{"--all"}, "numbers.png"}}) {
        std::vector<std::string> command{"render", game, "-o", PathOf(name)};
        command.insert(command.end(), args.begin(), args.end());
        const WxlRun run = Wxl(command);
        EXPECT_EQ(run.nExit, 0) << run.err;
        EXPECT_EQ(run.err, "");
    }
    ASSERT_EQ(Wxl({"render", empty, "-o", PathOf("empty.png")}).nExit, 0);

    EXPECT_EQ(PngSize(ReadBytes(PathOf("end.png"))), (std::pair<std::uint32_t, std::uint32_t>{610, 640}));
    EXPECT_EQ(ReadBytes(PathOf("start.png")), ReadBytes(PathOf("empty.png")));
    EXPECT_NE(ReadBytes(PathOf("end.png")), ReadBytes(PathOf("start.png")));
    EXPECT_NE(ReadBytes(PathOf("numbers.png")), ReadBytes(PathOf("end.png")));
}

TEST_F(WxlToolTest, RenderRefusesBadFilesAndMissingOutput)
{
    const std::string game = WriteRecord("game.wxl", {{4, 4}});
    EXPECT_EQ(Wxl({"render", game}).nExit, 2);
    EXPECT_EQ(Wxl({"render", game, "--at", "2", "-o", PathOf("x.png")}).nExit, 2);
    const WxlRun missing = Wxl({"render", PathOf("none.wxl"), "-o", PathOf("x.png")});
    EXPECT_EQ(missing.nExit, 1);
    EXPECT_EQ(missing.err, "没有找到 " + PathOf("none.wxl") + "。\n");
    EXPECT_EQ(Wxl({"render", game, "-o", PathOf("no/such/folder/x.png")}).nExit, 1);
    EXPECT_FALSE(fs::exists(PathOf("x.png")));
}

// ---- thumbnail ----

TEST_F(WxlToolTest, ThumbnailDrawsTheBoardAtTheRecordsEndAtTheSizeAskedFor)
{
    const std::string game = WriteRecord("game.wxl", {{4, 4}, {16, 16}});
    const std::string empty = WriteRecord("empty.wxl", {});

    const WxlRun run = Wxl({"thumbnail", game, PathOf("game.png"), "100"});
    ASSERT_EQ(Wxl({"thumbnail", empty, PathOf("empty.png"), "100"}).nExit, 0);

    EXPECT_EQ(run.nExit, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(PngSize(ReadBytes(PathOf("game.png"))), (std::pair<std::uint32_t, std::uint32_t>{100, 100}));
    EXPECT_NE(ReadBytes(PathOf("game.png")), ReadBytes(PathOf("empty.png")));
}

// A file manager keeps whatever file it finds at OUT: a failure must leave
// none, nor any half-written file beside it, nor spoil one already there.
TEST_F(WxlToolTest, ThumbnailFailuresLeaveNoOutputAndAnEarlierOneUntouched)
{
    const std::string game = WriteRecord("game.wxl", {{4, 4}});
    const std::string malformed = WriteFile("malformed.wxl", "\x01");
    const std::string earlier = WriteFile("earlier.png", "an earlier thumbnail");
    const std::set<std::string> before = FilesInFolder();
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"thumbnail", malformed, PathOf("out.png"), "128"}, 1},
        {{"thumbnail", malformed, earlier, "128"}, 1},
        {{"thumbnail", PathOf("missing.wxl"), PathOf("out.png"), "128"}, 1},
        {{"thumbnail", game, PathOf("no/such/folder/out.png"), "128"}, 1},
        {{"thumbnail", game, PathOf("out.png"), "0"}, 2},
        {{"thumbnail", game, PathOf("out.png"), "128px"}, 2},
        {{"thumbnail", game, PathOf("out.png"), "100000"}, 2},
        {{"thumbnail", game, PathOf("out.png")}, 2},
    };
    for (const auto& [args, nExit] : cases) {
        const WxlRun run = Wxl(args);
        EXPECT_EQ(run.nExit, nExit) << testing::PrintToString(args);
        EXPECT_NE(run.err, "") << testing::PrintToString(args);
    }
    EXPECT_EQ(Wxl({"thumbnail", malformed, PathOf("out.png"), "128"}).err, "非预期的文件格式。\n");
    EXPECT_EQ(FilesInFolder(), before);
    EXPECT_EQ(ReadBytes(earlier), "an earlier thumbnail");
}

// A file manager waits for the thumbnail of every record it shows: one
// longer than the budget gets no picture, so that the generic icon shows.
TEST_F(WxlToolTest, ThumbnailOfARecordLongerThanTheBudgetFailsAndWritesNothing)
{
    const std::string longest =
        WriteFile("longest.wxl", RecordBytes(std::vector<MovePoint>(kThumbnailMaxEntries, PASS_MARK)));
    const std::string tooLong =
        WriteFile("too-long.wxl", RecordBytes(std::vector<MovePoint>(kThumbnailMaxEntries + 1, PASS_MARK)));

    const WxlRun refused = Wxl({"thumbnail", tooLong, PathOf("too-long.png"), "64"});
    const WxlRun drawn = Wxl({"thumbnail", longest, PathOf("longest.png"), "64"});

    EXPECT_EQ(refused.nExit, 1);
    EXPECT_EQ(refused.err, "wxl: " + tooLong + ": more than " + std::to_string(kThumbnailMaxEntries) +
                               " entries, too long for a thumbnail\n");
    EXPECT_FALSE(fs::exists(PathOf("too-long.png")));
    EXPECT_EQ(drawn.nExit, 0) << drawn.err;
    EXPECT_TRUE(fs::exists(PathOf("longest.png")));
}

// ---- hostile names, failing output, short memory ----

constexpr const char* kPrlimit = "/usr/bin/prlimit";

// Makes this process, and the tools it starts, ignore a signal while it lives.
class CIgnoredSignal {
public:
    explicit CIgnoredSignal(int nSignal) : m_nSignal(nSignal)
    {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(m_nSignal, &ignore, &m_previous);
    }
    CIgnoredSignal(const CIgnoredSignal&) = delete;
    CIgnoredSignal& operator=(const CIgnoredSignal&) = delete;
    ~CIgnoredSignal() { sigaction(m_nSignal, &m_previous, nullptr); }

private:
    int m_nSignal;
    struct sigaction m_previous {};
};

// Makes folder the working folder of this process, and of the tools it starts, while it lives.
class CWorkingFolder {
public:
    explicit CWorkingFolder(const fs::path& folder) : m_previous(fs::current_path()) { fs::current_path(folder); }
    CWorkingFolder(const CWorkingFolder&) = delete;
    CWorkingFolder& operator=(const CWorkingFolder&) = delete;
    ~CWorkingFolder() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

TEST_F(WxlToolTest, NamesStartingWithADashAreFilesAfterADoubleDash)
{
    WriteRecord("-game.wxl", kCornerCapture);
    const CWorkingFolder here(m_dir);

    const WxlRun board = Wxl({"board", "--at", "2", "--", "-game.wxl"});
    EXPECT_EQ(board.nExit, 0) << board.err;
    EXPECT_TRUE(AfterBoard(board.out).starts_with("position 2/3\n")) << board.out;
    const WxlRun check = Wxl({"check", "--", "-game.wxl"});
    EXPECT_EQ(check.out, "-game.wxl: ok (3 entries)\n");
    const WxlRun session = Wxl({"session", "--", "-game.wxl"}, "end\nshow\n");
    EXPECT_TRUE(AfterBoard(session.out).starts_with("position 3/3\n")) << session.out << session.err;
    EXPECT_EQ(Wxl({"render", "-o", "-game.png", "--", "-game.wxl"}).nExit, 0);
    EXPECT_EQ(Wxl({"thumbnail", "--", "-game.wxl", "-thumbnail.png", "32"}).nExit, 0);
    EXPECT_EQ(PngSize(ReadBytes(PathOf("-thumbnail.png"))), (std::pair<std::uint32_t, std::uint32_t>{32, 32}));
}

// A newline in a name would fake a line of output, an escape sequence would
// drive the terminal.
TEST_F(WxlToolTest, ControlCharactersInNamesArePrintedEscapedAndChineseAsItIs)
{
    fs::create_directory(PathOf("棋谱"));
    const std::string game = WriteRecord("棋谱/a\nb\x1b[2J.wxl", kCornerCapture);
    const std::string missing = PathOf("gone\t\x7f.wxl");
    const std::string missingShown = PathOf("gone\\t\\x7f.wxl");

    const WxlRun check = Wxl({"check", game, missing});
    EXPECT_EQ(check.out, PathOf("棋谱/a\\nb\\x1b[2J.wxl") + ": ok (3 entries)\n" + missingShown + ": 没有找到 " +
                             missingShown + "。\n");
    EXPECT_EQ(Wxl({"board", missing}).err, "没有找到 " + missingShown + "。\n");
    const WxlRun session = Wxl({"session"}, "open " + missing + "\njump\x1b[2J\n");
    EXPECT_EQ(session.out, "没有找到 " + missingShown + "。\n");
    EXPECT_EQ(session.err, "wxl: unknown command: jump\\x1b[2J\n");
}

TEST_F(WxlToolTest, OutputLostOnAFullDeviceFailsTheCommand)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const std::string game = WriteRecord("game.wxl", kCornerCapture);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"board", game}, {"check", game}, {"session"}, {"--help"}}) {
        std::vector<std::string> shell{"-c", "exec \"$0\" \"$@\" > /dev/full", WXL_PATH};
        shell.insert(shell.end(), args.begin(), args.end());
        const WxlRun run = testing_support::RunTool("/bin/sh", shell, {"show\nshow\n"});
        EXPECT_EQ(run.nExit, 1) << args[0];
        EXPECT_EQ(run.err, "wxl: cannot write to standard output: No space left on device\n") << args[0];
    }
}

TEST_F(WxlToolTest, PicturesGoOnlyToRegularFilesOrNewNamesNeverToAFifo)
{
    const std::string game = WriteRecord("game.wxl", kCornerCapture);
    const std::string fifo = PathOf("fifo.png");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const std::string link = PathOf("link.png");
    fs::create_symlink(WriteFile("earlier.png", "an earlier picture"), link);
    const std::set<std::string> before = FilesInFolder();

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"render", game, "-o", fifo}, {"thumbnail", game, fifo, "64"}}) {
        testing_support::ToolOptions briefly;
        briefly.nLimitSeconds = 60;
        const WxlRun run = testing_support::RunTool(WXL_PATH, args, briefly);
        EXPECT_FALSE(run.bHung) << args[0] << " waited for a reader of the FIFO";
        EXPECT_EQ(run.nExit, 1) << args[0];
        EXPECT_EQ(run.err, "wxl: cannot write " + fifo + ": not a regular file\n") << args[0];
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(FilesInFolder(), before);

    EXPECT_EQ(Wxl({"thumbnail", game, link, "64"}).nExit, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(PngSize(ReadBytes(PathOf("earlier.png"))), (std::pair<std::uint32_t, std::uint32_t>{64, 64}));
}

// A full disk, without mounting one: writes beyond the file size limit fail
// (with EFBIG, once its signal is ignored).
TEST_F(WxlToolTest, APictureThatCannotBeWrittenWhollyLeavesTheEarlierFileAndNoOther)
{
    if (!fs::exists(kPrlimit))
        GTEST_SKIP() << "no prlimit here";
    const std::string game = WriteRecord("game.wxl", kCornerCapture);
    const std::string whole = PathOf("whole.png");
    const std::string earlier = WriteFile("earlier.png", "an earlier picture");
    const CIgnoredSignal ignoreFileSizeSignal(SIGXFSZ);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"render", game, "-o", "OUT"}, {"thumbnail", game, "OUT", "512"}}) {
        std::vector<std::string> command = args;
        std::replace(command.begin(), command.end(), std::string("OUT"), whole);
        ASSERT_EQ(Wxl(command).nExit, 0);
        // Short by less than a write buffer: only the last write fails.
        const std::string fileSizeLimit = "--fsize=" + std::to_string(fs::file_size(whole) - 100);
        fs::remove(whole);
        const std::set<std::string> before = FilesInFolder();

        std::replace(command.begin(), command.end(), whole, earlier);
        command.insert(command.begin(), {fileSizeLimit, "--", WXL_PATH});
        const WxlRun run = testing_support::RunTool(kPrlimit, command);

        EXPECT_EQ(run.nExit, 1) << args[0];
        EXPECT_TRUE(run.err.ends_with("wxl: cannot write " + earlier + ": File too large\n")) << run.err;
        EXPECT_EQ(ReadBytes(earlier), "an earlier picture");
        EXPECT_EQ(FilesInFolder(), before);
    }
}

// Replaying a record of millions of entries needs a few hundred megabytes.
TEST_F(WxlToolTest, RunningOutOfMemoryEndsWithAMessageInsteadOfAnAbort)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit this test sets";
#endif
    if (!fs::exists(kPrlimit))
        GTEST_SKIP() << "no prlimit here";
    const std::string big = WriteFile("big.wxl", RecordBytes(std::vector<MovePoint>(4'000'000, PASS_MARK)));

    const WxlRun run =
        testing_support::RunTool(kPrlimit, {"--as=" + std::to_string(100 << 20), "--", WXL_PATH, "board", big});

    EXPECT_EQ(run.nExit, 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "wxl: out of memory during 'board " + big + "'\n");
}

// wxl draws through its companion program; a copy of wxl without it must say
// so instead of failing silently or drawing nothing.
TEST_F(WxlToolTest, RenderWithoutItsCompanionProgramNamesWhereItLooked)
{
    const std::string game = WriteRecord("game.wxl", {{4, 4}});
    fs::create_directory(PathOf("alone"));
    fs::copy_file(WXL_PATH, PathOf("alone/wxl"));
    const WxlRun run = testing_support::RunTool(PathOf("alone/wxl"), {"render", game, "-o", PathOf("x.png")});
    EXPECT_EQ(run.nExit, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("wxl-render"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(fs::canonical(PathOf("alone")).string()), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(PathOf("x.png")));
}

}  // namespace
