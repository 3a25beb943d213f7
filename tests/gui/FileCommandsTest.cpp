// New, Open, Save As and the save question through the File commands, with
// real files in a temporary folder and the dialogs answered by the test; and
// the Qt dialogs those commands show, looked at while they are open.
#include "GuiFixture.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <filesystem>
#include <functional>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using Strings = std::vector<std::string>;
using Entries = std::vector<MovePoint>;

const Entries kThreeStones{{4, 4}, {16, 16}, {10, 10}};

class FileCommandsTest : public GuiTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GuiTest::SetUp());
        StartWithNewGame();
    }

    // A new game with one stone on it: modified, titled "Wexlan", no path.
    void RecordOneStone()
    {
        Doc()->RecordMoveAt(4, 4);
        ASSERT_TRUE(Doc()->IsModified());
    }

    void ExpectNewGame() const
    {
        EXPECT_EQ(Doc()->GetTitle(), "Wexlan");
        EXPECT_EQ(Doc()->GetPathName(), "");
        EXPECT_EQ(Doc()->GetMoves().GetSize(), 0);
        EXPECT_EQ(Doc()->GetCurMove(), 0);
        EXPECT_FALSE(Doc()->IsModified());
    }

    void ExpectOneStoneKept() const
    {
        EXPECT_EQ(EntriesOf(*Doc()), (Entries{{4, 4}}));
        EXPECT_EQ(Doc()->GetCurMove(), 1);
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(Doc()->GetTitle(), "Wexlan");
    }
};

TEST_F(FileCommandsTest, OpeningAGoodFileShowsItsStartUnmodifiedUnderItsName)
{
    const std::string strPath = WriteGame("good.wxl", kThreeStones);
    OpenThroughMenu(strPath);

    ASSERT_EQ(m_prompts.m_dialogs.size(), 1u);
    EXPECT_EQ(m_prompts.m_dialogs[0].first, FileDialog::Open);
    EXPECT_EQ(Doc()->GetTitle(), "good.wxl");
    EXPECT_EQ(Doc()->GetPathName(), strPath);
    EXPECT_EQ(EntriesOf(*Doc()), kThreeStones);
    EXPECT_EQ(Doc()->GetCurMove(), 0);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(FileCommandsTest, OpeningAMalformedFileReportsItAndLeavesANewGame)
{
    OpenThroughMenu(WriteGame("good.wxl", kThreeStones));
    // Two entries announced, one present.
    OpenThroughMenu(WriteBytes("short.wxl", RecordBytes({{4, 4}, {5, 5}}).substr(0, 10)));

    EXPECT_EQ(m_prompts.m_messages, Strings{"非预期的文件格式。"});
    ExpectNewGame();
}

TEST_F(FileCommandsTest, OpeningAMissingFileReportsItAndKeepsTheGame)
{
    RecordOneStone();
    m_prompts.m_answers = {Answer::No};
    const std::string strMissing = PathOf("missing.wxl");
    OpenThroughMenu(strMissing);

    EXPECT_EQ(m_prompts.m_messages, Strings{"没有找到 " + strMissing + "。"});
    ExpectOneStoneKept();
}

TEST_F(FileCommandsTest, OpeningTheOpenFileAgainKeepsUnsavedEdits)
{
    const std::string strPath = WriteGame("game.wxl", kThreeStones);
    OpenThroughMenu(strPath);
    Doc()->RecordMoveAt(3, 3);

    OpenThroughMenu(strPath);
    EXPECT_TRUE(m_prompts.m_questions.empty());
    EXPECT_TRUE(m_prompts.m_messages.empty());
    EXPECT_EQ(EntriesOf(*Doc()), (Entries{{3, 3}}));
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(ReadBytes(strPath), RecordBytes(kThreeStones));
}

TEST_F(FileCommandsTest, SaveAsWritesTheRecordAndTakesTheNewName)
{
    RecordOneStone();
    const std::string strPath = PathOf("saved.wxl");
    m_prompts.m_fileNames = {strPath};
    ASSERT_TRUE(Run(ID_FILE_SAVE_AS));

    ASSERT_EQ(m_prompts.m_dialogs.size(), 1u);
    EXPECT_EQ(m_prompts.m_dialogs[0], std::make_pair(FileDialog::SaveAs, std::string("Wexlan.wxl")));
    EXPECT_EQ(ReadBytes(strPath), RecordBytes({{4, 4}}));
    EXPECT_EQ(Doc()->GetTitle(), "saved.wxl");
    EXPECT_EQ(Doc()->GetPathName(), strPath);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(Enabled(ID_FILE_SAVE));
    EXPECT_EQ((*m_pApp->GetRecentFileList())[0], strPath);
}

TEST_F(FileCommandsTest, SaveAsIntoAMissingFolderReportsItAndKeepsTheGameModified)
{
    RecordOneStone();
    const std::string strPath = PathOf("no-such-folder/game.wxl");
    m_prompts.m_fileNames = {strPath};
    Run(ID_FILE_SAVE_AS);

    EXPECT_EQ(m_prompts.m_messages, Strings{"没有找到 " + strPath + "。"});
    ExpectOneStoneKept();
    EXPECT_EQ(Doc()->GetPathName(), "");
}

TEST_F(FileCommandsTest, SaveAsIntoAReadOnlyFolderReportsItAndKeepsTheGameModified)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write into a read-only folder";
    const fs::path folder = PathOf("locked");
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    RecordOneStone();
    const std::string strPath = (folder / "game.wxl").string();
    m_prompts.m_fileNames = {strPath};
    Run(ID_FILE_SAVE_AS);
    fs::permissions(folder, fs::perms::owner_all);

    EXPECT_EQ(m_prompts.m_messages, Strings{"对 " + strPath + " 的存取被拒绝。"});
    ExpectOneStoneKept();
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(FileCommandsTest, SaveQuestionYesSavesUnderTheChosenNameBeforeANewGame)
{
    RecordOneStone();
    const std::string strPath = PathOf("kept.wxl");
    m_prompts.m_answers = {Answer::Yes};
    m_prompts.m_fileNames = {strPath};
    Run(ID_FILE_NEW);

    EXPECT_EQ(m_prompts.m_questions, Strings{"将改动保存到 Wexlan？"});
    ASSERT_EQ(m_prompts.m_dialogs.size(), 1u);
    EXPECT_EQ(m_prompts.m_dialogs[0], std::make_pair(FileDialog::SaveAs, std::string("Wexlan.wxl")));
    EXPECT_EQ(ReadBytes(strPath), RecordBytes({{4, 4}}));
    ExpectNewGame();
}

TEST_F(FileCommandsTest, SaveQuestionYesSavesALoadedGameUnderItsOwnPath)
{
    const std::string strPath = WriteGame("game.wxl", kThreeStones);
    OpenThroughMenu(strPath);
    Doc()->RecordMoveAt(3, 3);
    m_prompts.m_answers = {Answer::Yes};
    Run(ID_FILE_NEW);

    EXPECT_EQ(m_prompts.m_questions, Strings{"将改动保存到 game.wxl？"});
    EXPECT_EQ(m_prompts.m_dialogs.size(), 1u);  // only the Open dialog
    EXPECT_EQ(ReadBytes(strPath), RecordBytes({{3, 3}}));
    ExpectNewGame();
}

TEST_F(FileCommandsTest, SaveQuestionYesWithTheDialogCancelledKeepsTheGame)
{
    RecordOneStone();
    m_prompts.m_answers = {Answer::Yes};
    m_prompts.m_fileNames = {std::nullopt};
    Run(ID_FILE_NEW);

    ExpectOneStoneKept();
    EXPECT_TRUE(fs::is_empty(m_dir.path().toStdString()));
}

TEST_F(FileCommandsTest, SaveQuestionNoDiscardsTheGameWithoutWriting)
{
    RecordOneStone();
    m_prompts.m_answers = {Answer::No};
    Run(ID_FILE_NEW);

    ExpectNewGame();
    EXPECT_TRUE(m_prompts.m_dialogs.empty());
    EXPECT_TRUE(fs::is_empty(m_dir.path().toStdString()));
}

TEST_F(FileCommandsTest, SaveQuestionCancelKeepsTheGameAndSkipsTheOpen)
{
    RecordOneStone();
    m_prompts.m_answers = {Answer::Cancel};
    OpenThroughMenu(WriteGame("other.wxl", kThreeStones));

    EXPECT_EQ(m_prompts.m_questions, Strings{"将改动保存到 Wexlan？"});
    ExpectOneStoneKept();
    EXPECT_EQ(m_pApp->GetRecentFileList()->GetSize(), 0);
}

TEST_F(FileCommandsTest, CaptionStaysFixedAfterNewOpenAndSaveAs)
{
    const QString caption = QString::fromUtf8(CMainFrame::kCaption);
    EXPECT_EQ(caption, QString::fromUtf8("SorvethWexlan1.4  …… SorvanKestrune单机打谱程序 ……"));
    EXPECT_EQ(Frame()->windowTitle(), caption);

    OpenThroughMenu(WriteGame("game.wxl", kThreeStones));
    EXPECT_EQ(Frame()->windowTitle(), caption);

    m_prompts.m_fileNames = {PathOf("copy.wxl")};
    Run(ID_FILE_SAVE_AS);
    EXPECT_EQ(Doc()->GetTitle(), "copy.wxl");
    EXPECT_EQ(Frame()->windowTitle(), caption);

    Run(ID_FILE_NEW);
    EXPECT_EQ(Frame()->windowTitle(), caption);
}

// The real Qt dialogs for a user whose desktop speaks English.
class QtDialogsTest : public FileCommandsTest {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ASSERT_NO_FATAL_FAILURE(FileCommandsTest::SetUp());
    }

    void TearDown() override { QLocale::setDefault(m_userLocale); }

    static bool QtChineseInstalled()
    {
        return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm"));
    }

    // Hands the next modal dialog, once it is open, to inspect, then closes it.
    template <class Dialog>
    static void WhenShown(std::function<void(Dialog&)> inspect)
    {
        QTimer::singleShot(0, [inspect] {
            QWidget* pModal = QApplication::activeModalWidget();
            if (auto* pDialog = qobject_cast<Dialog*>(pModal))
                inspect(*pDialog);
            else
                ADD_FAILURE() << "no " << Dialog::staticMetaObject.className() << " open";
            if (pModal)
                pModal->close();
        });
    }

    // As right after a file dialog closed: the window that was active is gone.
    void LeaveNoWindowActive()
    {
        auto pDialog = std::make_unique<QDialog>(Frame());
        pDialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(pDialog.get()));
        pDialog.reset();
        ASSERT_EQ(QApplication::activeWindow(), nullptr);
    }

    QLocale m_userLocale;
};

TEST_F(QtDialogsTest, MessageBoxWithNoWindowActiveOpensOverTheMainWindowWithItsIcon)
{
    ASSERT_NO_FATAL_FAILURE(LeaveNoWindowActive());
    const QWidget* pOwner = nullptr;
    qint64 nIcon = 0;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        pOwner = box.parentWidget();
        nIcon = box.windowIcon().cacheKey();
    });
    QtPrompts().ShowMessage("非预期的文件格式。");

    EXPECT_EQ(pOwner, Frame());
    EXPECT_EQ(nIcon, Frame()->windowIcon().cacheKey());
}

TEST_F(QtDialogsTest, MessageBoxButtonsReadChinese)
{
    if (!QtChineseInstalled())
        GTEST_SKIP() << "Qt's Chinese translations (package qt6-translations-l10n) are not installed";
    QStringList texts;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            texts.append(box.button(button)->text());
    });
    QtPrompts().AskYesNoCancel("将改动保存到 Wexlan？");

    EXPECT_EQ(texts, (QStringList{"是(&Y)", "否(&N)", "取消"}));
}

TEST_F(QtDialogsTest, OpenDialogIsQtsOwnAndReadsChinese)
{
    if (!QtChineseInstalled())
        GTEST_SKIP() << "Qt's Chinese translations (package qt6-translations-l10n) are not installed";
    QStringList texts;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
            const auto* pLabel = dialog.findChild<QLabel*>(QString::fromLatin1(name));
            texts.append(pLabel ? pLabel->text() : QString());
        }
        const auto* pButtons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        for (const auto button : {QDialogButtonBox::Open, QDialogButtonBox::Cancel})
            texts.append(pButtons && pButtons->button(button) ? pButtons->button(button)->text() : QString());
    });
    QtPrompts().PromptFileName(FileDialog::Open, {});

    EXPECT_EQ(texts, (QStringList{"查找范围：", "文件名称(&N)：", "文件类型：", "打开(&O)", "取消"}));
}

}  // namespace
