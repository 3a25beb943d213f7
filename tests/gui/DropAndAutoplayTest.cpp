// Games dropped on the window, and Space playing a record forward: drops are
// sent to the frame as Qt delivers them, and the test runs the autoplay's
// ticks itself instead of waiting for its timer.
#include "GuiFixture.h"

#include "record/sgf/SgfReader.h"
#include "view/ClientView.h"

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QtTest/QTest>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using Strings = std::vector<std::string>;
using Entries = std::vector<MovePoint>;

const Entries kThreeStones{{4, 4}, {16, 16}, {10, 10}};
const std::string kFormatMessage = "非预期的文件格式。";

class DropAndAutoplayTest : public GuiTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GuiTest::SetUp());
        StartWithNewGame();
    }

    static QMimeData* FileUrls(const std::vector<QUrl>& urls)
    {
        auto* pData = new QMimeData;
        pData->setUrls(QList<QUrl>(urls.begin(), urls.end()));
        return pData;
    }

    // Whether the window takes a drag of these URLs as it enters.
    bool DragEnterAccepted(const std::vector<QUrl>& urls)
    {
        const std::unique_ptr<QMimeData> pData(FileUrls(urls));
        QDragEnterEvent enter(Frame()->rect().center(), Qt::CopyAction, pData.get(), Qt::LeftButton, {});
        QApplication::sendEvent(Frame(), &enter);
        return enter.isAccepted();
    }

    // Drags the files onto the window and drops them; what the drop opens
    // runs once the event loop has its turn. The URLs spell each name's
    // bytes percent-encoded, as file managers write them.
    void Drop(const Strings& paths)
    {
        std::vector<QUrl> urls;
        for (const std::string& strPath : paths)
            urls.push_back(QUrl::fromEncoded("file://" + QByteArray::fromStdString(strPath).toPercentEncoding("/")));
        ASSERT_TRUE(DragEnterAccepted(urls));
        const std::unique_ptr<QMimeData> pData(FileUrls(urls));
        QDropEvent drop(QPointF(Frame()->rect().center()), Qt::CopyAction, pData.get(), Qt::LeftButton, {});
        QApplication::sendEvent(Frame(), &drop);
        ASSERT_TRUE(drop.isAccepted());
        QCoreApplication::sendPostedEvents();
    }

    CClientView* View() const { return static_cast<CClientView*>(Frame()->GetActiveView()); }

    void PressKey(Qt::Key key) { QTest::keyClick(View(), key); }

    void OpenThreeStones()
    {
        OpenThroughMenu(WriteGame("three.wxl", kThreeStones));
        ASSERT_EQ(Doc()->GetMoves().GetSize(), 3);
    }

    // Space pressed on the record at its start: the first step is taken.
    void StartAutoplay()
    {
        PressKey(Qt::Key_Space);
        ASSERT_TRUE(View()->IsAutoplaying());
    }
};

TEST_F(DropAndAutoplayTest, DroppedRecordOpensAfterTheSaveQuestionAsOpenDoes)
{
    Doc()->RecordMoveAt(4, 4);
    m_prompts.m_answers = {Answer::No};
    const std::string strPath = WriteGame("good.wxl", kThreeStones);
    Drop({strPath});

    EXPECT_EQ(m_prompts.m_questions.size(), 1u);
    EXPECT_EQ(Doc()->GetPathName(), strPath);
    EXPECT_EQ(EntriesOf(*Doc()), kThreeStones);
    EXPECT_EQ(Doc()->GetCurMove(), 0);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(DropAndAutoplayTest, OfSeveralDroppedFilesTheFirstOpensAndOnlyLocalFilesAreTaken)
{
    const std::string strFirst = WriteGame("first.WXL", kThreeStones);
    const std::string strSecond = WriteGame("second.wxl", {{5, 5}});
    EXPECT_FALSE(DragEnterAccepted({QUrl("https://example.org/game.wxl")}));
    Drop({strFirst, strSecond});

    EXPECT_EQ(Doc()->GetPathName(), strFirst);
    EXPECT_EQ(EntriesOf(*Doc()), kThreeStones);
}

TEST_F(DropAndAutoplayTest, DroppedRecordWhoseNameIsNotUtf8Opens)
{
    // Past the fixture's helpers, which take names as text.
    const std::string strPath =
        (std::filesystem::path(PathOf("x")).parent_path() / "\xff\xe6\xa3\x8b\xe8\xb0\xb1 game.wxl").string();
    std::ofstream(strPath, std::ios::binary) << RecordBytes(kThreeStones);
    Drop({strPath});

    EXPECT_EQ(Doc()->GetPathName(), strPath);
    EXPECT_EQ(EntriesOf(*Doc()), kThreeStones);
}

// A drop is taken in the moment it comes, even while a modal window lets
// events through (a long replay's progress does); its file must wait.
TEST_F(DropAndAutoplayTest, AFileDroppedWhileAModalWindowIsOpenOpensOnceItCloses)
{
    const std::string strPath = WriteGame("three.wxl", kThreeStones);
    {
        QDialog box(Frame());
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        Drop({strPath});
        EXPECT_TRUE(EntriesOf(*Doc()).empty());
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return Doc()->GetPathName() == strPath; }));
    EXPECT_EQ(EntriesOf(*Doc()), kThreeStones);
}

TEST_F(DropAndAutoplayTest, DroppedSgfGameBecomesAModifiedUntitledGameThatSaveAsksANameFor)
{
    const std::string bytes = "(;GM[1]FF[4]SZ[19];B[dd];W[pp];B[jj])";
    Drop({WriteBytes("game.SGF", bytes)});

    const MoveRecord imported = ReadSgf(bytes).moves;
    ASSERT_GT(imported.GetSize(), 0);
    Entries expected;
    for (int i = 0; i < imported.GetSize(); ++i)
        expected.push_back(imported[i]);
    EXPECT_EQ(EntriesOf(*Doc()), expected);
    EXPECT_EQ(Doc()->GetCurMove(), 0);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetPathName(), "");
    EXPECT_TRUE(m_prompts.m_messages.empty());

    m_prompts.m_fileNames.push_back(std::nullopt);
    Run(ID_FILE_SAVE);
    ASSERT_EQ(m_prompts.m_dialogs.size(), 1u);
    EXPECT_EQ(m_prompts.m_dialogs[0].first, FileDialog::SaveAs);
}

TEST_F(DropAndAutoplayTest, MalformedSgfAndOtherFilesGetTheFormatMessageAndKeepTheGame)
{
    Doc()->RecordMoveAt(4, 4);
    Drop({WriteBytes("broken.sgf", "(;GM[1]FF[4];B[dd")});
    Drop({WriteGame("record.txt", kThreeStones)});

    EXPECT_EQ(m_prompts.m_messages, (Strings{kFormatMessage, kFormatMessage}));
    EXPECT_TRUE(m_prompts.m_questions.empty());
    EXPECT_EQ(EntriesOf(*Doc()), (Entries{{4, 4}}));
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DropAndAutoplayTest, SpaceStepsAtOnceThenEachTickAndStopsAtTheEnd)
{
    PressKey(Qt::Key_Space);  // a new game: nothing to play
    EXPECT_FALSE(View()->IsAutoplaying());

    OpenThreeStones();
    StartAutoplay();
    EXPECT_EQ(Doc()->GetCurMove(), 1);
    View()->OnAutoplayTick();
    EXPECT_EQ(Doc()->GetCurMove(), 2);
    EXPECT_TRUE(View()->IsAutoplaying());
    View()->OnAutoplayTick();
    EXPECT_EQ(Doc()->GetCurMove(), 3);
    EXPECT_FALSE(View()->IsAutoplaying());
}

TEST_F(DropAndAutoplayTest, SpaceAgainAnyOtherKeyAClickACommandOrAModalBoxStopsIt)
{
    OpenThreeStones();
    const auto expectStoppedBy = [this](const char* what, const std::function<void()>& action) {
        Run(ID_GO_TO_START);
        StartAutoplay();
        action();
        EXPECT_FALSE(View()->IsAutoplaying()) << what;
        const int nAt = Doc()->GetCurMove();
        View()->OnAutoplayTick();
        EXPECT_EQ(Doc()->GetCurMove(), nAt) << what;
    };
    expectStoppedBy("space", [this] { PressKey(Qt::Key_Space); });
    expectStoppedBy("key", [this] { PressKey(Qt::Key_A); });
    expectStoppedBy("click", [this] { QTest::mouseClick(View(), Qt::RightButton, {}, QPoint(1, 1)); });
    expectStoppedBy("command", [this] { Run(ID_SHOW_ALL); });
    expectStoppedBy("modal box", [this] {
        QDialog box(Frame());
        box.setModal(true);
        box.show();
        View()->OnAutoplayTick();
    });
}

TEST_F(DropAndAutoplayTest, TheWheelStopsItAlsoWhileStepsAreMerged)
{
    OpenThreeStones();
    View()->SetReplayThresholds({.nMergeFromEntries = 0, .mergeAfter = std::chrono::milliseconds(0)});
    StartAutoplay();  // its first step counts as slow: the steps after it merge
    View()->OnMouseWheel(-120);
    EXPECT_FALSE(View()->IsAutoplaying());
}

}  // namespace
