// The .wxl record: the decoder and encoder driven from memory, then the
// document's own load and save paths on real files in a folder that each test
// makes afresh.
#include "record/RecordFile.h"

#include "fw/core/CArchive.h"
#include "fw/core/CMemFile.h"
#include "fw/core/DocumentPaths.h"
#include "fw/core/FileException.h"
#include "fw/core/MessageBox.h"
#include "record/ClientDoc.h"

#include "support/FailingMemFile.h"
#include "support/RecordBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing_support::CountBytes;
using testing_support::CountForm;
using testing_support::EntryBytes;
using testing_support::RecordBytes;
using Messages = std::vector<std::string>;

const std::string kBadFormat = "非预期的文件格式。";

const std::string kWorkedExample =
    "\x03\x00"                          // count
    "\x04\x00\x00\x00\x10\x00\x00\x00"  // stone (4, 16)
    "\x10\x00\x00\x00\x04\x00\x00\x00"  // stone (16, 4)
    "\x15\x00\x00\x00\x14\x00\x00\x00"s;  // pass (21, 20)

MoveRecord Record(const std::vector<MovePoint>& entries)
{
    MoveRecord moves;
    for (const MovePoint& entry : entries)
        moves.Add(entry);
    return moves;
}

// A record of n stones walking over the board.
MoveRecord WalkingRecord(int n)
{
    MoveRecord moves;
    moves.SetSize(n);
    for (int i = 0; i < n; ++i)
        moves[i] = {1 + i % 19, 1 + i / 19 % 19};
    return moves;
}

bool SameEntries(const MoveRecord& a, const MoveRecord& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// The bytes a store of moves writes.
std::string Stored(MoveRecord moves)
{
    CMemFile file;
    CArchive ar(file, CArchive::store);
    SerializeRecord(ar, moves);
    return file.GetBytes();
}

// Loads bytes into moves through the decoder.
void Load(const std::string& bytes, MoveRecord& moves)
{
    CMemFile file(bytes);
    CArchive ar(file, CArchive::load);
    SerializeRecord(ar, moves);
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

// --- the layout -------------------------------------------------------------------------------

TEST(RecordFileTest, WorkedExampleIsStoredAsItsTwentySixBytesAndLoadsBack)
{
    const MoveRecord example = Record({{4, 16}, {16, 4}, PASS_MARK});
    EXPECT_EQ(Stored(example), kWorkedExample);
    MoveRecord loaded;
    Load(kWorkedExample, loaded);
    EXPECT_TRUE(SameEntries(loaded, example));
}

TEST(RecordFileTest, EmptyRecordIsStoredAsTwoZeroBytesAndLoadsWithoutStorage)
{
    EXPECT_EQ(Stored({}), "\x00\x00"s);
    MoveRecord moves = Record({{1, 1}});
    Load("\x00\x00"s, moves);
    EXPECT_EQ(moves.GetSize(), 0);
    EXPECT_EQ(moves.GetCapacity(), 0);
}

TEST(RecordFileTest, MarksRoundTrip)
{
    const MoveRecord saved = Record({{4, 4}, {16, 4}, BOMB_MARK, {4, 16}, PASS_MARK});
    MoveRecord loaded;
    Load(Stored(saved), loaded);
    EXPECT_TRUE(SameEntries(loaded, saved));
}

TEST(RecordFileTest, SaveInTheMiddleOfTheRecordWritesEveryEntryAndKeepsThePosition)
{
    CClientDoc doc;
    doc.LoadRecord(Record({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
    doc.StepForward();
    doc.StepForward();
    const BoardGrid shown = doc.GetPosition().m_board;
    CMemFile file;
    CArchive ar(file, CArchive::store);
    doc.Serialize(ar);
    EXPECT_EQ(file.GetBytes(), RecordBytes({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
    EXPECT_EQ(doc.GetCurMove(), 2);
    EXPECT_EQ(doc.GetPosition().m_board, shown);
}

TEST(RecordFileTest, CountsFrom65535OnAreWrittenWithTheEscapeAndLoadBack)
{
    for (const auto& [nCount, prefix] :
         {std::pair{65534, "\xFE\xFF"s}, std::pair{65535, "\xFF\xFF\xFF\xFF\x00\x00"s}}) {
        SCOPED_TRACE(nCount);
        const MoveRecord saved = WalkingRecord(nCount);
        const std::string bytes = Stored(saved);
        ASSERT_EQ(bytes.size(), prefix.size() + 8u * nCount);
        EXPECT_TRUE(bytes.starts_with(prefix));
        MoveRecord loaded;
        Load(bytes, loaded);
        EXPECT_TRUE(SameEntries(loaded, saved));
    }
}

TEST(RecordFileTest, EscapedSmallCountIsReadAsItStandsAndTrailingBytesAreIgnored)
{
    MoveRecord moves = WalkingRecord(50);
    Load(CountBytes(2, CountForm::escaped) + EntryBytes({{4, 16}, PASS_MARK, {9, 9}}), moves);
    ASSERT_EQ(moves.GetSize(), 2);
    EXPECT_EQ(moves.GetCapacity(), 2);
    EXPECT_EQ(moves[1], PASS_MARK);
}

// --- bytes that are not records ---------------------------------------------------------------

TEST(RecordFileTest, MalformedRecordsAreRefusedWithTheirCauseAndKeepTheOldRecord)
{
    using Cause = CArchiveException::Cause;
    struct Case {
        const char* description;
        std::string bytes;
        Cause cause;
    };
    const std::vector<Case> cases{
        {"no bytes", ""s, CArchiveException::endOfFile},
        {"one byte", "\x01"s, CArchiveException::endOfFile},
        {"escape without its count", "\xFF\xFF"s, CArchiveException::endOfFile},
        {"escape with three count bytes", "\xFF\xFF\x01\x00\x00"s, CArchiveException::endOfFile},
        {"body shorter than the count", CountBytes(2) + EntryBytes({{4, 4}}), CArchiveException::endOfFile},
        {"last entry one byte short", RecordBytes({{4, 4}}).substr(0, 9), CArchiveException::endOfFile},
        {"four billion entries in ten bytes", CountBytes(0xFFFFFFFF) + "\x01\x00\x00\x00"s,
         CArchiveException::endOfFile},
        {"two billion entries in ten bytes", CountBytes(0x80000000) + "\x01\x00\x00\x00"s,
         CArchiveException::endOfFile},
        {"entry on the left border", RecordBytes({{4, 4}, {0, 5}}), CArchiveException::badFormat},
        {"entry on the lower right border", RecordBytes({{4, 4}, {20, 20}}), CArchiveException::badFormat},
        {"entry beside the pass cell", RecordBytes({{4, 4}, {21, 19}}), CArchiveException::badFormat},
        {"entry beyond the grid", RecordBytes({{4, 4}, {22, 21}}), CArchiveException::badFormat},
        {"negative entry", RecordBytes({{4, 4}, {-1, 3}}), CArchiveException::badFormat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        MoveRecord moves = Record({{1, 1}, {2, 2}});
        const int nCapacity = moves.GetCapacity();
        try {
            Load(c.bytes, moves);
            ADD_FAILURE() << "loaded";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, c.cause);
        }
        EXPECT_TRUE(SameEntries(moves, Record({{1, 1}, {2, 2}})));
        EXPECT_EQ(moves.GetCapacity(), nCapacity);
    }
}

TEST(RecordFileTest, HugeCountInTenBytesIsRefusedBeforeAnythingIsAllocatedForIt)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit this test sets";
#endif
    // Storage for 2^31 - 1 entries would be 16 GB, far beyond the child's address space.
    const int nCode = ExitCodeOfChild([] {
        const rlimit limit{1L << 30, 1L << 30};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            return 3;
        MoveRecord moves;
        try {
            Load(CountBytes(0x7FFFFFFF) + "\x01\x00\x00\x00"s, moves);
            return 1;
        } catch (const CArchiveException&) {
            return 0;
        } catch (...) {
            return 2;
        }
    });
    EXPECT_EQ(nCode, 0) << "1: loaded, 2: another failure (storage was sought first), 3: no limit";
}

// A failing disk is the disk's fault, not the record's: its own exception
// reaches the user's message.
TEST(RecordFileTest, ReadFailureInsideTheEntriesPassesThroughAndKeepsTheOldRecord)
{
    testing_support::FailingMemFile file(kWorkedExample, 12);
    CArchive ar(file, CArchive::load);
    MoveRecord moves = Record({{1, 1}});
    EXPECT_THROW(SerializeRecord(ar, moves), CFileException);
    EXPECT_TRUE(SameEntries(moves, Record({{1, 1}})));
}

// --- the document's files -----------------------------------------------------------------------

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RecordFileOnDiskTest : public testing_support::TempFolderTest {
protected:
    bool RecordEquals(const MoveRecord& moves) const { return SameEntries(moves, doc.GetMoves()); }

    void ExpectEmptyGame() const
    {
        EXPECT_EQ(doc.GetMoves().GetCapacity(), 0);
        EXPECT_EQ(doc.GetCurMove(), 0);
        EXPECT_EQ(doc.GetPosition().m_board, CClientDoc().GetPosition().m_board);
    }

    Messages m_messages;
    CMessageBoxRedirect m_redirect{[this](const std::string& text) { m_messages.push_back(text); }};
    CClientDoc doc;
};

TEST_F(RecordFileOnDiskTest, SavedGameIsTheRecordsBytesAndOpensAtTheEmptyBoard)
{
    doc.LoadRecord(Record({{4, 16}, {16, 4}, BOMB_MARK, {4, 4}, PASS_MARK}));
    doc.GoToEnd();
    const MoveRecord saved = doc.GetMoves();
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnSaveDocument(PathOf("game.wxl")));
    EXPECT_EQ(ReadBytes(PathOf("game.wxl")), RecordBytes({{4, 16}, {16, 4}, BOMB_MARK, {4, 4}, PASS_MARK}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"game.wxl"});

    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("game.wxl")));
    EXPECT_TRUE(RecordEquals(saved));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetCurMove(), 0);
    EXPECT_EQ(doc.GetPosition().m_board, CClientDoc().GetPosition().m_board);
    doc.GoToEnd();
    EXPECT_EQ(doc.GetPosition().m_board[CellIndex(4, 4)], PT_FLOWER);
    EXPECT_TRUE(m_messages.empty());
}

// An empty file never reaches the decoder, which would refuse it.
TEST_F(RecordFileOnDiskTest, EmptyFileOpensAsAnEmptyGameAsAnEmptyRecordDoes)
{
    WriteBytes(PathOf("zero.wxl"), "");
    WriteBytes(PathOf("empty.wxl"), "\x00\x00"s);
    for (const char* name : {"empty.wxl", "zero.wxl"}) {
        SCOPED_TRACE(name);
        doc.LoadRecord(Record({{1, 1}}));
        EXPECT_TRUE(doc.OnOpenDocument(PathOf(name)));
        ExpectEmptyGame();
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(RecordFileOnDiskTest, MalformedFileOpenedByTheFileCommandsLeavesANewWexlanGame)
{
    for (const std::string& bytes : {"\x01"s, RecordBytes({{4, 4}, {0, 5}})}) {
        SCOPED_TRACE(bytes.size());
        doc.LoadRecord(Record({{1, 1}}));
        doc.GoToEnd();
        doc.SetModifiedFlag();
        m_messages.clear();
        WriteBytes(PathOf("bad.wxl"), bytes);
        EXPECT_FALSE(fw::OpenDocumentFile(doc, PathOf("bad.wxl")));
        EXPECT_EQ(m_messages, Messages{kBadFormat});
        EXPECT_EQ(doc.GetTitle(), "Wexlan");
        EXPECT_FALSE(doc.IsModified());
        ExpectEmptyGame();
    }
}

// The count is checked against the length of the file itself.
TEST_F(RecordFileOnDiskTest, HugeCountInATinyFileIsRejectedBeforeAnythingIsAllocatedForIt)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit this test sets";
#endif
    WriteBytes(PathOf("huge.wxl"), CountBytes(0x7FFFFFFF) + "\x01\x00\x00\x00"s);
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

TEST_F(RecordFileOnDiskTest, FileThatCannotBeOpenedIsReportedAndTheGameSurvives)
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
        doc.LoadRecord(Record({{1, 1}, {2, 1}, {3, 1}}));
        doc.GoToStart();
        doc.StepForward();
        doc.StepForward();
        doc.SetModifiedFlag();
        const MoveRecord moves = doc.GetMoves();
        const BoardGrid board = doc.GetPosition().m_board;
        m_messages.clear();

        EXPECT_FALSE(doc.OnOpenDocument(PathOf(name)));
        EXPECT_EQ(m_messages, Messages{message});
        EXPECT_TRUE(RecordEquals(moves));
        EXPECT_EQ(doc.GetCurMove(), 2);
        EXPECT_EQ(doc.GetPosition().m_board, board);
        EXPECT_TRUE(doc.IsModified());
    }
}

// --- saving never destroys --------------------------------------------------------------------

TEST_F(RecordFileOnDiskTest, WriteFailingPartwayLeavesTheOldFileIntactAndNoTemporaryFile)
{
    WriteBytes(PathOf("game.wxl"), kWorkedExample);
    doc.LoadRecord(WalkingRecord(100000));  // 800 KB, far over the child's file size limit
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

TEST_F(RecordFileOnDiskTest, SaveIntoAMissingFolderIsReportedAndTheGameStaysModified)
{
    doc.LoadRecord(Record({{1, 1}}));
    doc.SetModifiedFlag();
    const std::string path = PathOf("gone/game.wxl");
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(m_messages, Messages{"没有找到 " + path + "。"});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(FilesInFolder().empty());
}

}  // namespace
