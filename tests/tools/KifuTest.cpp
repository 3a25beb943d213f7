// wxl kifu: what each diagram numbers and notes, worked out from records
// made for it, and the files the command writes.
#include "record/MoveRecord.h"
#include "support/RecordBytes.h"
#include "support/RunTool.h"
#include "support/TempFolder.h"
#include "tools/wxl/KifuHeader.h"
#include "tools/wxl/KifuPaint.h"
#include "tools/wxl/KifuPlan.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <set>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Kind = KifuFootnote::Kind;

MoveRecord RecordOf(const std::vector<MovePoint>& entries)
{
    MoveRecord moves;
    moves.SetSize(static_cast<int>(entries.size()));
    for (int i = 0; i < moves.GetSize(); ++i)
        moves[i] = entries[static_cast<std::size_t>(i)];
    return moves;
}

std::vector<std::string> FootnoteTexts(const KifuDiagram& diagram)
{
    std::vector<std::string> texts;
    for (const KifuFootnote& footnote : diagram.footnotes)
        texts.push_back(FootnoteText(footnote));
    return texts;
}

// A ko at (5, 5) and (6, 5): Black takes at (6, 5), White at (5, 5), each
// taking back after a threat elsewhere (a pass, once a bomb and the flower
// stone after it), so both points are played again and again.
const std::vector<MovePoint> kKoFight = {
    {5, 4}, {6, 4}, {4, 5}, {7, 5}, {5, 6}, {6, 6}, {6, 5}, {5, 5},  // 1-8: the shape; 8 takes 7
    {16, 16}, PASS_MARK,                                             // 9-10: a threat, answered by a pass
    {6, 5}, {16, 4},                                                 // 11 takes 8; 12 a threat
    {16, 3}, {5, 5},                                                 // 13 answers; 14 takes 11
    BOMB_MARK, {3, 16},                                              // 15 a bomb; 16 a flower stone
    {6, 5},                                                          // 17 takes 14
};

TEST(KifuPlanTest, AKoFightNumbersEachPointOnceAndNotesEveryRetake)
{
    const MoveRecord moves = RecordOf(kKoFight);
    const KifuDiagram diagram = PlanKifuDiagram(moves, {1, 17});

    EXPECT_EQ(FootnoteTexts(diagram), (std::vector<std::string>{"10 虚着", "11 = 7", "14 = 8", "15 扔飞弹", "17 = 7"}));
    ASSERT_EQ(diagram.stones.size(), 12u);
    EXPECT_EQ(diagram.stones[6], (KifuStone{{6, 5}, 7, PT_BLACK}));
    EXPECT_EQ(diagram.stones[7], (KifuStone{{5, 5}, 8, PT_WHITE}));
    EXPECT_EQ(diagram.stones.back(), (KifuStone{{3, 16}, 16, PT_FLOWER}));

    // A later diagram numbers the points afresh: the ko stones shown there
    // are its own entries, over the position before it.
    const KifuDiagram later = PlanKifuDiagram(moves, {12, 17});
    EXPECT_EQ(FootnoteTexts(later), (std::vector<std::string>{"15 扔飞弹"}));
    EXPECT_EQ(later.stones.front(), (KifuStone{{16, 4}, 12, PT_WHITE}));
    EXPECT_EQ(later.stones[2], (KifuStone{{5, 5}, 14, PT_WHITE}));
}

// Replay makes a first entry black whatever it is: a bomb there is listed,
// and the stone after it is a flower stone.
TEST(KifuPlanTest, ARecordThatStartsWithABomb)
{
    const KifuDiagram diagram = PlanKifuDiagram(RecordOf({BOMB_MARK, {4, 4}, {16, 16}}), {1, 3});

    EXPECT_EQ(FootnoteTexts(diagram), (std::vector<std::string>{"1 扔飞弹"}));
    EXPECT_EQ(diagram.stones,
              (std::vector<KifuStone>{{{4, 4}, 2, PT_FLOWER}, {{16, 16}, 3, PT_BLACK}}));
}

TEST(KifuPlanTest, RangesCutTheEntriesIntoDiagramsOfTheSizeAskedFor)
{
    EXPECT_EQ(KifuRanges(1, 250, 100), (std::vector<KifuRange>{{1, 100}, {101, 200}, {201, 250}}));
    EXPECT_EQ(KifuRanges(7, 7, 100), (std::vector<KifuRange>{{7, 7}}));
    // A diagram's last entry, first + per - 1, is past what an int holds.
    EXPECT_EQ(KifuRanges(2, 10, INT_MAX), (std::vector<KifuRange>{{2, 10}}));
    EXPECT_EQ(KifuRanges(INT_MAX - 1, INT_MAX, 1), (std::vector<KifuRange>{{INT_MAX - 1, INT_MAX - 1}, {INT_MAX, INT_MAX}}));
}

// Two handicap stones with the pass a record puts between them, then
// White's first move: the setup is no move, White's move is 1.
TEST(KifuPlanTest, AHandicapGameNumbersWhitesFirstMoveOneAndLeavesTheSetupUnnumbered)
{
    const MoveRecord moves = RecordOf({{4, 16}, PASS_MARK, {16, 4}, {16, 16}, {4, 4}, {10, 10}});

    const KifuDiagram diagram = PlanKifuDiagram(moves, {1, 3}, 3);
    EXPECT_EQ(diagram.stones, (std::vector<KifuStone>{
                                  {{16, 16}, 1, PT_WHITE}, {{4, 4}, 2, PT_BLACK}, {{10, 10}, 3, PT_WHITE}}));
    EXPECT_TRUE(diagram.footnotes.empty());
    EXPECT_EQ(PlanKifuDiagram(moves, {3, 3}, 3).stones, (std::vector<KifuStone>{{{10, 10}, 3, PT_WHITE}}));
}

TEST(KifuPlanTest, TitlesNumberTheDiagramsAndNameTheirMoves)
{
    EXPECT_EQ(KifuDiagramTitle(1, {1, 100}), "第1谱 1–100");
    EXPECT_EQ(KifuDiagramTitle(3, {201, 201}), "第3谱 201");
}

TEST(KifuPlanTest, WesternLabelsLeaveOutIAndCountRowsFromTheBottom)
{
    EXPECT_EQ(WesternColumnLabel(1), "A");
    EXPECT_EQ(WesternColumnLabel(8), "H");
    EXPECT_EQ(WesternColumnLabel(9), "J");
    EXPECT_EQ(WesternColumnLabel(19), "T");
    EXPECT_EQ(WesternRowLabel(19), "1");
    EXPECT_EQ(WesternRowLabel(1), "19");
}

TEST(KifuHeaderTest, AGameNamesItsPlayersBlackFirstThenItsEventDateAndResult)
{
    GameStory story;
    story.rootProperties = {{"PW", {"Cho Hunhyun"}}, {"WR", {"9段"}}, {"RE", {"B+R"}},   {"PB", {"Lee Sedol"}},
                            {"BR", {"9段"}},          {"EV", {"LG杯"}}, {"RO", {"决赛"}}, {"DT", {"2003-02-24"}}};

    EXPECT_EQ(KifuHeaderLines(story, "game.sgf"),
              (std::vector<std::string>{"黑 Lee Sedol 9段 — 白 Cho Hunhyun 9段", "LG杯 决赛  2003-02-24", "黑中盘胜"}));
}

TEST(KifuHeaderTest, WhatTheGameDoesNotTellIsLeftOutAndARecordShowsItsFileName)
{
    GameStory story;
    story.rootProperties = {{"PB", {"Lee \\\\ \\]Sedol\\\nJr", "second"}}, {"RE", {"W+0.5"}}};
    EXPECT_EQ(KifuHeaderLines(story, "game.sgf"), (std::vector<std::string>{"黑 Lee \\ ]SedolJr", "白胜半目"}));

    EXPECT_EQ(KifuHeaderLines(GameStory{}, "game.wxl"), std::vector<std::string>{"game.wxl"});
}

TEST(KifuHeaderTest, ResultsAreSaidInWordsAndOthersShownAsGiven)
{
    const std::vector<std::pair<std::string, std::string>> results = {
        {"W+Resign", "白中盘胜"}, {"B+T", "黑超时胜"}, {"B+2.5", "黑胜2目半"}, {"W+7", "白胜7目"},
        {"B+", "黑胜"},           {"0", "和棋"},       {"Void", "无胜负"},     {"B+F", "B+F"},
        {"W+1.25", "W+1.25"},     {"?", "?"},
    };
    for (const auto& [result, words] : results)
        EXPECT_EQ(ResultText(result), words) << result;
}

class KifuToolTest : public testing_support::TempFolderTest {
protected:
    std::string WriteRecord(std::string_view name, const std::vector<MovePoint>& entries) const
    {
        std::ofstream(PathOf(name), std::ios::binary) << testing_support::RecordBytes(entries);
        return PathOf(name);
    }

    // 250 stones, row by row from the top-left corner.
    std::string WriteLongGame() const
    {
        std::vector<MovePoint> entries;
        for (int i = 0; i < 250; ++i)
            entries.push_back({1 + i % BOARD_SIZE, 1 + i / BOARD_SIZE});
        return WriteRecord("game.wxl", entries);
    }

    static testing_support::ToolRun Wxl(const std::vector<std::string>& args)
    {
        return testing_support::RunTool(WXL_PATH, args);
    }
};

int PdfPages(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    int nPages = 0;
    for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        nPages += bytes.compare(at, 12, "/Type /Pages") != 0;
    return nPages;
}

TEST_F(KifuToolTest, APdfHoldsTwoDiagramsAPagePngAndSvgOneFileADiagram)
{
    const std::string game = WriteLongGame();
    const std::vector<std::pair<std::vector<std::string>, int>> pdfs = {
        {{}, 2}, {{"--per", "50"}, 3}, {{"--from", "101", "--to", "150"}, 1}, {{"--from", "250"}, 1}};
    for (const auto& [options, nPages] : pdfs) {
        std::vector<std::string> args{"kifu", game, "-o", PathOf("game.pdf")};
        args.insert(args.end(), options.begin(), options.end());
        const auto run = Wxl(args);
        ASSERT_EQ(run.nExit, 0) << run.err;
        EXPECT_EQ(PdfPages(PathOf("game.pdf")), nPages) << options.size();
    }

    fs::create_directory(PathOf("png"));
    ASSERT_EQ(Wxl({"kifu", game, "-o", PathOf("png/d.png")}).nExit, 0);
    ASSERT_EQ(Wxl({"kifu", game, "-o", PathOf("png/d.svg"), "--per", "125"}).nExit, 0);
    std::set<std::string> files;
    for (const auto& item : fs::directory_iterator(PathOf("png")))
        files.insert(item.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"d-1.png", "d-2.png", "d-3.png", "d-1.svg", "d-2.svg"}));
}

TEST_F(KifuToolTest, BadOptionsRangesAndFilesFailAndLeaveNoFiles)
{
    const std::string game = WriteLongGame();
    std::ofstream(PathOf("malformed.wxl"), std::ios::binary) << "\x01";
    // The second file's name leads nowhere: the first, already written,
    // must go again.
    fs::create_symlink(PathOf("no/such/folder.png"), PathOf("out-2.png"));
    const std::set<std::string> before = FilesInFolder();
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"kifu", game, "-o", PathOf("out.pdf"), "--from", "0"}, 2},
        {{"kifu", game, "-o", PathOf("out.pdf"), "--to", "251"}, 2},
        {{"kifu", game, "-o", PathOf("out.pdf"), "--from", "9", "--to", "3"}, 2},
        {{"kifu", game, "-o", PathOf("out.pdf"), "--per", "0"}, 2},
        {{"kifu", game, "-o", PathOf("out.pdf"), "--per"}, 2},
        {{"kifu", game, "-o", PathOf("out.jpg")}, 2},
        {{"kifu", game}, 2},
        {{"kifu", PathOf("malformed.wxl"), "-o", PathOf("out.pdf")}, 1},
        {{"kifu", PathOf("missing.wxl"), "-o", PathOf("out.pdf")}, 1},
        {{"kifu", game, "-o", PathOf("out.png")}, 1},
    };
    for (const auto& [args, nExit] : cases) {
        const auto run = Wxl(args);
        EXPECT_EQ(run.nExit, nExit) << args[args.size() - 1] << ' ' << run.err;
        EXPECT_FALSE(run.err.empty());
        EXPECT_EQ(FilesInFolder(), before) << args[args.size() - 1];
    }
}

TEST_F(KifuToolTest, CoordsTakeBoardWesternOrNone)
{
    const std::string game = WriteRecord("two.wxl", {{4, 4}, {5, 4}});
    for (const char* pszCoords : {"board", "western", "none"})
        EXPECT_EQ(Wxl({"kifu", game, "-o", PathOf("out.pdf"), "--coords", pszCoords}).nExit, 0) << pszCoords;

    const auto wrong = Wxl({"kifu", game, "-o", PathOf("out.pdf"), "--coords", "Western"});
    EXPECT_EQ(wrong.nExit, 2);
    EXPECT_TRUE(wrong.err.starts_with("wxl: --coords takes board, western or none, not 'Western'\n")) << wrong.err;
    const auto missing = Wxl({"kifu", game, "-o", PathOf("out.pdf"), "--coords"});
    EXPECT_EQ(missing.nExit, 2);
    EXPECT_TRUE(missing.err.starts_with("wxl: --coords needs a value\n")) << missing.err;
}

// Black 1 and White 2 side by side: each stone under its number, the
// number in the colour that reads on it.
TEST_F(KifuToolTest, APngDiagramNumbersEachStoneInAColourThatReadsOnIt)
{
    const std::string game = WriteRecord("two.wxl", {{4, 4}, {5, 4}});
    ASSERT_EQ(Wxl({"kifu", game, "-o", PathOf("two.png")}).nExit, 0);
    const QImage image(QString::fromStdString(PathOf("two-1.png")));
    ASSERT_FALSE(image.isNull());

    const auto lightness = [&image](QPointF at) { return image.pixelColor(at.toPoint()).lightness(); };
    // The lightest and darkest pixels near a stone's centre, where its number is.
    const auto numberRange = [&image](QPointF centre) {
        int nLightest = 0;
        int nDarkest = 255;
        for (int dx = -6; dx <= 6; ++dx) {
            for (int dy = -8; dy <= 8; ++dy) {
                const int n = image.pixelColor(centre.toPoint() + QPoint(dx, dy)).lightness();
                nLightest = std::max(nLightest, n);
                nDarkest = std::min(nDarkest, n);
            }
        }
        return std::pair{nLightest, nDarkest};
    };
    const QPointF black = KifuPngPointCentre(4, 4);
    const QPointF white = KifuPngPointCentre(5, 4);
    const QPointF rim(9 * kKifuPngScale, 0);

    EXPECT_LT(lightness(black - rim), 80);
    EXPECT_GT(numberRange(black).first, 200);
    EXPECT_GT(lightness(white + rim), 170);
    EXPECT_LT(numberRange(white).second, 60);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Pictures of an earlier run are the user's: a run that fails must leave
// each as it was, not overwrite the first ones and then remove them.
TEST_F(KifuToolTest, AFailedRunLeavesTheFilesOfAnEarlierRunAsTheyWere)
{
    const std::string game = WriteLongGame();
    std::ofstream(PathOf("out-1.png")) << "earlier 1";
    std::ofstream(PathOf("out-2.png")) << "earlier 2";
    fs::create_symlink(PathOf("no/such/folder.png"), PathOf("out-3.png"));
    const std::set<std::string> before = FilesInFolder();

    const auto run = Wxl({"kifu", game, "-o", PathOf("out.png")});

    EXPECT_EQ(run.nExit, 1);
    EXPECT_EQ(run.err, "wxl: cannot write " + PathOf("out-3.png") + ": No such file or directory\n");
    EXPECT_EQ(FilesInFolder(), before);
    EXPECT_EQ(ReadBytes(PathOf("out-1.png")), "earlier 1");
    EXPECT_EQ(ReadBytes(PathOf("out-2.png")), "earlier 2");
}

// Three diagrams over an earlier run's five: the last two stay, named.
TEST_F(KifuToolTest, ARunOfFewerDiagramsNamesTheEarlierFilesItLeaves)
{
    const std::string game = WriteLongGame();
    for (const char* pszName : {"out-4.svg", "out-5.svg", "out-04.svg", "out-4.png", "out-x.svg"})
        std::ofstream(PathOf(pszName)) << "earlier";

    const auto run = Wxl({"kifu", game, "-o", PathOf("out.svg")});

    EXPECT_EQ(run.nExit, 0);
    EXPECT_EQ(run.err, "wxl: left from an earlier run, not part of these diagrams: " + PathOf("out-4.svg") + ", " +
                           PathOf("out-5.svg") + "\n");
    EXPECT_EQ(ReadBytes(PathOf("out-5.svg")), "earlier");
}

// QSvgGenerator escapes the text it draws but not the title: "&" made files
// that no browser would open. Nor may an XML file hold a control character.
TEST_F(KifuToolTest, AnSvgOfARecordWithMarkupInItsNameIsXmlAndItsTitleReadsBack)
{
    const std::vector<std::pair<std::string, std::string>> names = {
        {"Lee & <Cho>.wxl", "Lee & <Cho>.wxl  1–2"},
        {"bell\x07.wxl", "bell\\x07.wxl  1–2"},
    };
    for (const auto& [name, title] : names) {
        const std::string game = WriteRecord(name, {{4, 4}, {5, 4}});
        ASSERT_EQ(Wxl({"kifu", game, "-o", PathOf("out.svg")}).nExit, 0);
        QFile file(QString::fromStdString(PathOf("out-1.svg")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        std::vector<std::string> titles;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("title"))
                titles.push_back(xml.readElementText().toStdString());
        EXPECT_FALSE(xml.hasError()) << name << ": " << xml.errorString().toStdString();
        EXPECT_EQ(titles, std::vector<std::string>{title}) << name;
    }
}

// A footnote a pass: 1,001 passes would not fit under one diagram, whose
// picture grows with its footnotes (20,000 of them took a gigabyte).
TEST_F(KifuToolTest, ADiagramOfMoreFootnotesThanFitIsRefusedBeforeAnythingIsWritten)
{
    const std::string game = WriteRecord("passes.wxl", std::vector<MovePoint>(kMaxKifuFootnotes + 1, PASS_MARK));
    const std::set<std::string> before = FilesInFolder();

    const auto refused = Wxl({"kifu", game, "-o", PathOf("out.png"), "--per", "1001"});
    EXPECT_EQ(refused.nExit, 1);
    EXPECT_EQ(refused.err, "wxl: entries 1-1001 would need 1001 footnotes under one diagram, more than the 1000 it "
                           "can hold: use a smaller --per\n");
    EXPECT_EQ(FilesInFolder(), before);

    EXPECT_EQ(Wxl({"kifu", game, "-o", PathOf("out.png"), "--per", "1000"}).nExit, 0);
}

}  // namespace
