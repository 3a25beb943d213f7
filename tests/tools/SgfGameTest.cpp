// SGF games given to the commands that read a game: each gives what it gives
// for the record `wxl import` writes, and `wxl sgf` keeps what the game tells
// besides its moves.
#include "record/MoveRecord.h"
#include "support/RecordBytes.h"
#include "support/RunTool.h"
#include "support/TempFolder.h"
#include "record/sgf/GameStory.h"
#include "record/sgf/SgfReader.h"
#include "record/sgf/SgfWriter.h"
#include "tools/WxlFolder.h"
#include "tools/wxl/ThumbnailBudget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using testing_support::RecordBytes;
using testing_support::RunTool;
using testing_support::ToolRun;

constexpr MovePoint P = PASS_MARK;

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

std::vector<MovePoint> EntriesOf(const MoveRecord& moves)
{
    return {moves.begin(), moves.end()};
}

class SgfGameFolder : public WxlFolderTest {};

// ---- every command ----

struct SgfGame {
    std::string_view name;
    std::string_view sgf;
};

const SgfGame kGames[] = {
    {"HandWritten", "(;GM[1]FF[4]SZ[19]\n;B[pd];W[dp];B[pq];W[]\n;B[dd])"},
    {"Handicap", "(;GM[1]SZ[19]HA[3]AB[dp][pd][pp]PL[W];W[dd];B[qc];W[cq])"},
    {"CommentsAndVariations",
     "(;GM[1]PB[Black]C[a game];B[ab]C[one](;W[cd]TR[aa];B[ef]C[three])(;W[gh]C[elsewhere]))"},
};

struct CommandCase {
    std::string_view name;
    std::vector<std::string> args;  // GAME for the game, OUT for an output file
    std::string_view output;        // its name, or empty
};

const CommandCase kCommands[] = {
    {"Board", {"board", "GAME", "--groups"}, ""},
    {"BoardAt", {"board", "GAME", "--at", "2"}, ""},
    {"Moves", {"moves", "GAME"}, ""},
    {"MovesJson", {"moves", "--json", "GAME"}, ""},
    {"Check", {"check", "GAME"}, ""},
    {"Render", {"render", "GAME", "--all", "-o", "OUT"}, "out.png"},
    {"Thumbnail", {"thumbnail", "GAME", "OUT", "48"}, "out.png"},
    {"Sgf", {"sgf", "GAME", "-o", "OUT"}, "out.sgf"},
};

class EveryCommand : public SgfGameFolder,
                     public testing::WithParamInterface<std::tuple<SgfGame, CommandCase>> {
protected:
    ToolRun Run(const CommandCase& command, const std::string& game, const std::string& output) const
    {
        std::vector<std::string> args;
        for (const std::string& arg : command.args)
            args.push_back(arg == "GAME" ? game : arg == "OUT" ? PathOf(output) : arg);
        return Wxl(args);
    }
};

// Setup entries are marked only where the game says they are setup.
std::string WithoutSetupMarks(const std::string& out)
{
    return Replaced(Replaced(out, " setup\n", "\n"), ",\"setup\":true}", "}");
}

TEST_P(EveryCommand, GivesForAnSgfGameWhatItGivesForTheImportedRecord)
{
    const auto& [game, command] = GetParam();
    const std::string sgf = WriteFile("game.sgf", game.sgf);
    const std::string wxl = PathOf("game.wxl");
    const ToolRun imported = Wxl({"import", sgf, "-o", wxl});
    ASSERT_EQ(imported.nExit, 0) << imported.err;

    const std::string output(command.output);
    const ToolRun fromRecord = Run(command, wxl, output);
    const std::string recordOutput = output.empty() ? "" : ReadBytes(PathOf(output));
    const ToolRun fromSgf = Run(command, sgf, output);
    const std::string sgfOutput = output.empty() ? "" : ReadBytes(PathOf(output));

    ASSERT_EQ(fromRecord.nExit, 0) << fromRecord.err;
    EXPECT_EQ(fromSgf.nExit, 0) << fromSgf.err;
    EXPECT_EQ(WithoutSetupMarks(fromSgf.out), Replaced(fromRecord.out, wxl, sgf));
    EXPECT_TRUE(fromSgf.err.starts_with("wxl: " + sgf + ": ")) << fromSgf.err;
    if (command.name == "Sgf")
        EXPECT_EQ(EntriesOf(ReadSgf(sgfOutput).moves), EntriesOf(ReadSgf(recordOutput).moves));
    else
        EXPECT_EQ(sgfOutput, recordOutput);
}

INSTANTIATE_TEST_SUITE_P(SgfGames, EveryCommand,
                         testing::Combine(testing::ValuesIn(kGames), testing::ValuesIn(kCommands)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    std::string(std::get<1>(info.param).name);
                         });

// ---- reading an SGF game ----

TEST_F(SgfGameFolder, AMalformedSgfGameGetsImportsMessage)
{
    const std::string bad = WriteFile("bad.SGF", "(;B[aa];W[bb");
    const std::string message = "wxl: " + bad + ": line 1: a property value without its closing ']'";

    const ToolRun board = Wxl({"board", bad});
    const ToolRun check = Wxl({"check", bad});

    EXPECT_EQ(board.nExit, 1);
    EXPECT_EQ(board.err, message + '\n');
    EXPECT_EQ(Wxl({"import", bad, "-o", PathOf("bad.wxl")}).err, board.err);
    EXPECT_EQ(check.nExit, 1);
    EXPECT_EQ(check.out, bad + ": " + message + '\n');
}

// 15,144 entries are counted in the bytes 28 3B, "(;": the name, not the
// content, tells a record from an SGF game.
TEST_F(SgfGameFolder, ARecordWhoseBytesBeginAsSgfIsStillARecord)
{
    const std::string record = WriteFile("game.wxl", RecordBytes(std::vector<MovePoint>(15'144, P)));
    ASSERT_TRUE(ReadBytes(record).starts_with("(;"));

    const ToolRun check = Wxl({"check", record});

    EXPECT_EQ(check.out, record + ": ok (15144 entries)\n");
    EXPECT_EQ(check.err, "");
}

// 1,386 rectangles of setup stones are 1,000,691 entries.
TEST_F(SgfGameFolder, AThumbnailOfAnSgfGameLongerThanTheBudgetFailsAndWritesNothing)
{
    std::string sgf = "(;";
    for (int i = 0; i < 1386; ++i)
        sgf += "AB[aa:ss]";
    const std::string game = WriteFile("huge.sgf", sgf + ")");

    const ToolRun run = Wxl({"thumbnail", game, PathOf("huge.png"), "64"});

    EXPECT_EQ(run.nExit, 1);
    EXPECT_TRUE(run.err.ends_with("wxl: " + game + ": more than " + std::to_string(kThumbnailMaxEntries) +
                                  " entries, too long for a thumbnail\n"))
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(PathOf("huge.png")));
}

TEST_F(SgfGameFolder, MovesMarksTheHandicapStonesAndThePassBetweenThemAsSetup)
{
    const std::string game = WriteFile("handicap.sgf", "(;HA[2]AB[dp][pd];W[dd])");

    EXPECT_EQ(Wxl({"moves", game}).out, "1 黑 -6 -6 setup\n2 白 pass setup\n3 黑 6 6 setup\n4 白 -6 6\n");
    const std::string json = Wxl({"moves", "--json", game}).out;
    const std::string thirdSetupEntry =
        "{\"n\":3,\"colour\":\"黑\",\"kind\":\"stone\",\"x\":16,\"y\":4,\"dx\":6,\"dy\":6,\"setup\":true}";
    EXPECT_NE(json.find(thirdSetupEntry), std::string::npos) << json;
    EXPECT_NE(json.find("\"dx\":-6,\"dy\":6}"), std::string::npos) << json;
}

// The kifu takes what only the game knows: its players head the page, and
// the handicap stones are setup, so White's first move is 1.
TEST_F(SgfGameFolder, TheKifuOfAHandicapGameNamesThePlayersAndNumbersWhitesFirstMoveOne)
{
    const std::string game = WriteFile("handicap.sgf", "(;HA[2]PB[Lee]PW[Cho]AB[dp][pd];W[dd];B[qc])");

    const ToolRun run = Wxl({"kifu", game, "-o", PathOf("out.svg")});

    ASSERT_EQ(run.nExit, 0) << run.err;
    EXPECT_NE(ReadBytes(PathOf("out-1.svg")).find("<title>黑 Lee — 白 Cho  1–2</title>"), std::string::npos);
}

// ---- the story ----

TEST(GameStoryRead, RootPropertiesAsSpelledCommentsOnTheirEntriesAndTheSetup)
{
    GameStory story;
    const SgfImport import = ReadSgf("(;FF[4]PB[A \\] B]XY[1][2]C[root]AB[aa][bb]TR[cc]"
                                     ";C[before play];W[cc]C[one]"
                                     ";C[no move]"
                                     "(;B[dd]C[main])(;B[ee]C[variation]))",
                                     &story);

    EXPECT_EQ(EntriesOf(import.moves), (std::vector<MovePoint>{{1, 1}, P, {2, 2}, {3, 3}, {4, 4}}));
    EXPECT_EQ(story.rootProperties, (decltype(story.rootProperties){{"PB", {"A \\] B"}}, {"XY", {"1", "2"}}}));
    EXPECT_EQ(story.Info("PB"), "A ] B");
    EXPECT_EQ(story.Info("DT"), "");
    EXPECT_EQ(story.comments,
              (decltype(story.comments){{-1, "root\n\nbefore play"}, {3, "one\n\nno move"}, {4, "main"}}));
    EXPECT_EQ(story.nSetupEntries, 3);
    EXPECT_EQ(DescribeImport(import), "5 entries; dropped 1 variation, 1 markup property; inserted 1 pass");
}

// The export's own notes on bombs and flower stones are not the game's, but
// a comment written beside them is, and import says it drops it.
TEST(GameStoryRead, ACommentOnAnExportedBombIsKeptWithoutTheExportsNote)
{
    MoveRecord moves;
    for (const MovePoint entry : {MovePoint{4, 4}, BOMB_MARK, MovePoint{5, 5}})
        moves.Add(entry);
    GameStory story;
    story.comments = {{1, "a bomb ]"}, {2, "a flower"}};
    const std::string sgf = WriteSgf(moves, story);

    GameStory again;
    const SgfImport withStory = ReadSgf(sgf, &again);
    const SgfImport withoutStory = ReadSgf(sgf);

    EXPECT_EQ(again.comments, story.comments);
    EXPECT_EQ(EntriesOf(withStory.moves), EntriesOf(moves));
    EXPECT_EQ(DescribeImport(withoutStory), "3 entries; dropped 2 comments");
    EXPECT_EQ(DescribeImport(ReadSgf(WriteSgf(moves))), "3 entries");
}

TEST_F(SgfGameFolder, SgfKeepsTheGamesInformationCommentsAndSetup)
{
    const std::string original = "(;GM[1]FF[4]CA[UTF-8]PB[本因坊 \\] 秀策]PW[Gennan]BR[4d]WR[8d]"
                                 "DT[1846-09-11]RE[B+2]EV[Castle game]PC[Edo]RO[1]GN[Ear-reddening]KM[0]HA[2]"
                                 "SO[book]QQ[odd][two]"
                                 "C[root \\\\ comment]AB[dp][pd]"
                                 ";W[dd]C[first]"
                                 "(;B[pp]C[main])(;B[qq]C[variation]))";
    const std::string game = WriteFile("game.sgf", original);

    const ToolRun run = Wxl({"sgf", game, "-o", PathOf("out.sgf")});

    ASSERT_EQ(run.nExit, 0) << run.err;
    EXPECT_EQ(run.err, "wxl: " + game + ": 5 entries; dropped 1 variation; inserted 1 pass\n");
    const std::string exported = ReadBytes(PathOf("out.sgf"));
    GameStory expected;
    const SgfImport read = ReadSgf(original, &expected);
    GameStory story;
    const SgfImport readBack = ReadSgf(exported, &story);
    EXPECT_EQ(EntriesOf(readBack.moves), EntriesOf(read.moves));
    EXPECT_EQ(story.rootProperties, expected.rootProperties);
    EXPECT_EQ(story.comments, expected.comments);
    EXPECT_EQ(story.nSetupEntries, 3);
    EXPECT_EQ(story.Info("PB"), "本因坊 ] 秀策");
    // Setup in the root, where other editors look for it, and White to move.
    EXPECT_NE(exported.find("AB[dp][pd]\n;W[dd]C[first]WX[4:4]\n"), std::string::npos) << exported;
}

TEST_F(SgfGameFolder, OptionsSetTheCommonInformationEscapedAndOverrideTheGames)
{
    const std::string record = WriteFile("game.wxl", RecordBytes({{4, 4}}));
    const std::string game = WriteFile("game.sgf", "(;PW[Old]PB[Old]PW[Older];B[dd])");
    const std::vector<std::string> options = {
        "--black", "A]B\\C", "--white", "W", "--black-rank", "5d", "--white-rank", "3k",
        "--date",  "2026-12-10", "--result", "W+R", "--event", "Cup", "--place", "Here"};

    std::vector<std::string> args = {"sgf", record, "-o", PathOf("record.sgf")};
    args.insert(args.end(), options.begin(), options.end());
    ASSERT_EQ(Wxl(args).nExit, 0);
    ASSERT_EQ(Wxl({"sgf", game, "-o", PathOf("game-out.sgf"), "--white", "New"}).nExit, 0);

    GameStory story;
    ReadSgf(ReadBytes(PathOf("record.sgf")), &story);
    EXPECT_EQ(story.rootProperties, (decltype(story.rootProperties){{"PB", {"A\\]B\\\\C"}},
                                                                    {"PW", {"W"}},
                                                                    {"BR", {"5d"}},
                                                                    {"WR", {"3k"}},
                                                                    {"DT", {"2026-12-10"}},
                                                                    {"RE", {"W+R"}},
                                                                    {"EV", {"Cup"}},
                                                                    {"PC", {"Here"}}}));
    EXPECT_EQ(story.Info("PB"), "A]B\\C");
    ReadSgf(ReadBytes(PathOf("game-out.sgf")), &story);
    EXPECT_EQ(story.rootProperties, (decltype(story.rootProperties){{"PW", {"New"}}, {"PB", {"Old"}}}));
    EXPECT_EQ(Wxl({"sgf", record, "-o", PathOf("x.sgf"), "--black"}).nExit, 2);
}

}  // namespace
