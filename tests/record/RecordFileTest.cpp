// The .wxl file through the document's own load and save paths, on real files
// in a folder that each test makes afresh.
#include "record/ClientDoc.h"

#include "fw/core/DocumentPaths.h"
#include "fw/core/MessageBox.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using Messages = std::vector<std::string>;

const std::string kBadFormat = "非预期的文件格式。";

const Bytes kWorkedExample{
    0x03, 0x00,                                      // count
    0x04, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00,  // stone (4, 16)
    0x10, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,  // stone (16, 4)
    0x15, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00,  // pass (21, 20)
};

// A count prefix followed by the given entries, in file form.
Bytes File(Bytes prefix, std::initializer_list<MovePoint> entries)
{
    for (const MovePoint& entry : entries)
        for (const std::int32_t value : {entry.x, entry.y})
            for (int i = 0; i < 4; ++i)
                prefix.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> (8 * i)));
    return prefix;
}

void WriteBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Runs body in a forked child (where limits can be set without harm) and
// gives its exit code, or -1 when it did not exit normally.
int ExitCodeOfChild(const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = 0;
    if (child == -1 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

class RecordFileTest : public testing_support::TempFolderTest {
protected:
    void SetRecord(std::initializer_list<MovePoint> entries)
    {
        doc.m_moves.RemoveAll();
        for (const MovePoint& entry : entries)
            doc.m_moves.Add(entry);
    }

    // A record of n stones walking over the board.
    void FillRecord(int n)
    {
        doc.m_moves.SetSize(n);
        for (int i = 0; i < n; ++i)
            doc.m_moves[i] = {1 + i % 19, 1 + i / 19 % 19};
    }

    bool RecordEquals(const MoveRecord& moves) const
    {
        return std::equal(moves.begin(), moves.end(), doc.m_moves.begin(), doc.m_moves.end());
    }

    void ExpectEmptyGame() const
    {
        EXPECT_EQ(doc.m_moves.GetCapacity(), 0);
        EXPECT_EQ(doc.m_nCurMove, 0);
        EXPECT_EQ(doc.m_board, CClientDoc().m_board);
    }

    Messages m_messages;
    CMessageBoxRedirect m_redirect{[this](const std::string& text) { m_messages.push_back(text); }};
    CClientDoc doc;
};

// --- the layout -------------------------------------------------------------------------------

TEST_F(RecordFileTest, WorkedExampleIsStoredAsItsTwentySixBytes)
{
    SetRecord({{4, 16}, {16, 4}, PASS_MARK});
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnSaveDocument(PathOf("game.wxl")));
    EXPECT_EQ(ReadBytes(PathOf("game.wxl")), kWorkedExample);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(RecordFileTest, EmptyRecordIsStoredAsTwoZeroBytesAndAnEmptyFileLoadsToo)
{
    ASSERT_TRUE(doc.OnSaveDocument(PathOf("empty.wxl")));
    EXPECT_EQ(ReadBytes(PathOf("empty.wxl")), (Bytes{0x00, 0x00}));
    WriteBytes(PathOf("zero.wxl"), {});
    for (const char* name : {"empty.wxl", "zero.wxl"}) {
        SetRecord({{1, 1}});
        EXPECT_TRUE(doc.OnOpenDocument(PathOf(name))) << name;
        ExpectEmptyGame();
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(RecordFileTest, MarksRoundTripAndLoadingShowsTheEmptyBoard)
{
    SetRecord({{4, 4}, {16, 4}, BOMB_MARK, {4, 16}, PASS_MARK});
    const MoveRecord saved = doc.m_moves;
    ASSERT_TRUE(doc.OnSaveDocument(PathOf("game.wxl")));
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("game.wxl")));
    EXPECT_TRUE(RecordEquals(saved));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_nCurMove, 0);
    EXPECT_EQ(doc.m_board, CClientDoc().m_board);
    doc.GoToEnd();
    EXPECT_EQ(doc.m_board[CellIndex(4, 16)], PT_FLOWER);
}

TEST_F(RecordFileTest, SaveInTheMiddleOfTheRecordWritesEveryEntryAndKeepsThePosition)
{
    SetRecord({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}});
    doc.StepForward();
    doc.StepForward();
    const BoardGrid shown = doc.m_board;
    ASSERT_TRUE(doc.OnSaveDocument(PathOf("game.wxl")));
    EXPECT_EQ(fs::file_size(PathOf("game.wxl")), 2u + 5 * 8);
    EXPECT_EQ(doc.m_nCurMove, 2);
    EXPECT_EQ(doc.m_board, shown);
}

TEST_F(RecordFileTest, CountsFrom65535OnAreWrittenWithTheEscapeAndLoadBack)
{
    for (const auto& [nCount, prefix] : {std::pair{65534, Bytes{0xFE, 0xFF}},
                                         std::pair{65535, Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}}}) {
        SCOPED_TRACE(nCount);
        FillRecord(nCount);
        const MoveRecord saved = doc.m_moves;
        ASSERT_TRUE(doc.OnSaveDocument(PathOf("long.wxl")));
        const Bytes file = ReadBytes(PathOf("long.wxl"));
        ASSERT_EQ(file.size(), prefix.size() + 8u * nCount);
        EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), file.begin()));
        ASSERT_TRUE(doc.OnOpenDocument(PathOf("long.wxl")));
        EXPECT_TRUE(RecordEquals(saved));
    }
}

TEST_F(RecordFileTest, EscapedSmallCountIsReadAsItStandsAndTrailingBytesAreIgnored)
{
    FillRecord(50);
    WriteBytes(PathOf("game.wxl"), File({0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}, {{4, 16}, PASS_MARK, {9, 9}}));
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("game.wxl")));
    ASSERT_EQ(doc.m_moves.GetSize(), 2);
    EXPECT_EQ(doc.m_moves.GetCapacity(), 2);
    EXPECT_EQ(doc.m_moves[1], PASS_MARK);
    EXPECT_TRUE(m_messages.empty());
}

// --- files that are not records -------------------------------------------------------------

TEST_F(RecordFileTest, MalformedFilesAreRejectedAndLeaveTheGameEmpty)
{
    const std::vector<std::pair<std::string, Bytes>> cases{
        {"one byte", {0x01}},
        {"escape without its count", {0xFF, 0xFF}},
        {"escape with three count bytes", {0xFF, 0xFF, 0x01, 0x00, 0x00}},
        {"body shorter than the count", File({0x02, 0x00}, {{4, 4}})},
        {"last entry one byte short", {0x01, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00}},
        {"four billion entries in ten bytes", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}},
        {"two billion entries in ten bytes", {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x01, 0x00, 0x00, 0x00}},
        {"entry on the left border", File({0x02, 0x00}, {{4, 4}, {0, 5}})},
        {"entry on the lower right border", File({0x02, 0x00}, {{4, 4}, {20, 20}})},
        {"entry beside the pass cell", File({0x02, 0x00}, {{4, 4}, {21, 19}})},
        {"entry beyond the grid", File({0x02, 0x00}, {{4, 4}, {22, 21}})},
        {"negative entry", File({0x02, 0x00}, {{4, 4}, {-1, 3}})},
    };
    for (const auto& [description, bytes] : cases) {
        SCOPED_TRACE(description);
        SetRecord({{1, 1}, {2, 2}});
        doc.GoToEnd();
        m_messages.clear();
        WriteBytes(PathOf("bad.wxl"), bytes);
        EXPECT_FALSE(doc.OnOpenDocument(PathOf("bad.wxl")));
        EXPECT_EQ(m_messages, Messages{kBadFormat});
        ExpectEmptyGame();
    }
}

TEST_F(RecordFileTest, MalformedFileOpenedByTheFileCommandsLeavesANewWexlanGame)
{
    SetRecord({{1, 1}});
    doc.SetModifiedFlag();
    WriteBytes(PathOf("bad.wxl"), {0x01});
    EXPECT_FALSE(fw::OpenDocumentFile(doc, PathOf("bad.wxl")));
    EXPECT_EQ(m_messages, Messages{kBadFormat});
    EXPECT_EQ(doc.GetTitle(), "Wexlan");
    EXPECT_FALSE(doc.IsModified());
    ExpectEmptyGame();
}

TEST_F(RecordFileTest, HugeCountInATinyFileIsRejectedBeforeAnythingIsAllocatedForIt)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit this test sets";
#endif
    WriteBytes(PathOf("huge.wxl"), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 0x00, 0x00, 0x00});
    // Storage for 2^31 - 1 entries would be 16 GB, far beyond the child's address space.
    const int nCode = ExitCodeOfChild([this] {
        const rlimit limit{1L << 30, 1L << 30};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            return 3;
        if (doc.OnOpenDocument(PathOf("huge.wxl")))
            return 1;
        return m_messages == Messages{kBadFormat} ? 0 : 2;
    });
    EXPECT_EQ(nCode, 0) << "1: loaded, 2: another message (storage was sought first), 3: no limit";
}

// --- files that cannot be opened ---------------------------------------------------------------

TEST_F(RecordFileTest, FileThatCannotBeOpenedIsReportedAndTheGameSurvives)
{
    fs::create_directory(PathOf("folder.wxl"));
    WriteBytes(PathOf("locked.wxl"), kWorkedExample);
    fs::permissions(PathOf("locked.wxl"), fs::perms::none);
    std::vector<std::pair<std::string, std::string>> cases{
        {"none.wxl", "没有找到 " + PathOf("none.wxl") + "。"},
        {"folder.wxl", "对 " + PathOf("folder.wxl") + " 的存取被拒绝。"},
    };
    if (geteuid() != 0)  // permissions do not bind root
        cases.emplace_back("locked.wxl", "对 " + PathOf("locked.wxl") + " 的存取被拒绝。");

    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        SetRecord({{1, 1}, {2, 1}, {3, 1}});
        doc.GoToStart();
        doc.StepForward();
        doc.StepForward();
        doc.SetModifiedFlag();
        const MoveRecord moves = doc.m_moves;
        const BoardGrid board = doc.m_board;
        m_messages.clear();

        EXPECT_FALSE(doc.OnOpenDocument(PathOf(name)));
        EXPECT_EQ(m_messages, Messages{message});
        EXPECT_TRUE(RecordEquals(moves));
        EXPECT_EQ(doc.m_nCurMove, 2);
        EXPECT_EQ(doc.m_board, board);
        EXPECT_TRUE(doc.IsModified());
    }
}

// --- saving never destroys --------------------------------------------------------------------

TEST_F(RecordFileTest, WriteFailingPartwayLeavesTheOldFileIntactAndNoTemporaryFile)
{
    WriteBytes(PathOf("game.wxl"), kWorkedExample);
    FillRecord(100000);  // 800 KB, far over the child's file size limit
    doc.SetModifiedFlag();

    const int nCode = ExitCodeOfChild([this] {
        std::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead
        const rlimit limit{64 * 1024, 64 * 1024};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
        if (doc.OnSaveDocument(PathOf("game.wxl")))
            return 1;
        return m_messages.size() == 1 && m_messages[0].find(PathOf("game.wxl")) != std::string::npos ? 0 : 2;
    });
    EXPECT_EQ(nCode, 0) << "1: saved anyway, 2: no message naming the file, 3: no limit";
    EXPECT_EQ(ReadBytes(PathOf("game.wxl")), kWorkedExample);
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"game.wxl"});
}

TEST_F(RecordFileTest, SaveIntoAMissingFolderIsReportedAndTheGameStaysModified)
{
    SetRecord({{1, 1}});
    doc.SetModifiedFlag();
    const std::string path = PathOf("gone/game.wxl");
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(m_messages, Messages{"没有找到 " + path + "。"});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(FilesInFolder().empty());
}

}  // namespace
