// Saving through CFile replaces a file only once the new content is complete.
#include "fw/core/CFile.h"

#include "fw/core/FileException.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class CFileTest : public testing_support::TempFolderTest {
protected:
    CFileTest() { std::ofstream(PathOf("a.wxl")) << "old"; }

    std::string Content() const
    {
        std::ifstream in(PathOf("a.wxl"));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(CFileTest, ReplacedFileKeepsItsOldContentUntilClose)
{
    CFile file;
    file.Open(PathOf("a.wxl"), CFile::modeReplace);
    file.Write("new content", 11);
    EXPECT_EQ(Content(), "old");
    EXPECT_EQ(FilesInFolder().size(), 2u) << "the new content waits in a file beside it";
    file.Close();
    EXPECT_EQ(Content(), "new content");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

TEST_F(CFileTest, AbortOrDestructionBeforeCloseLeavesTheFolderAsItWas)
{
    {
        CFile aborted;
        aborted.Open(PathOf("a.wxl"), CFile::modeReplace);
        aborted.Write("new", 3);
        aborted.Abort();
        CFile dropped;
        dropped.Open(PathOf("a.wxl"), CFile::modeReplace);
        dropped.Write("new", 3);
        CFile fresh;
        fresh.Open(PathOf("b.wxl"), CFile::modeReplace);
    }
    EXPECT_EQ(Content(), "old");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

TEST_F(CFileTest, ReplacedFileKeepsItsPermissions)
{
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(PathOf("a.wxl"), perms);
    CFile file;
    file.Open(PathOf("a.wxl"), CFile::modeReplace);
    file.Close();
    EXPECT_EQ(fs::status(PathOf("a.wxl")).permissions(), perms);
}

TEST_F(CFileTest, FolderIsNeitherReadNorReplaced)
{
    for (const CFile::Mode mode : {CFile::modeRead, CFile::modeReplace}) {
        CFile file;
        try {
            file.Open(m_dir.string(), mode);
            ADD_FAILURE() << "opened a folder in mode " << mode;
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::accessDenied);
            EXPECT_EQ(e.m_strFileName, m_dir.string());
        }
    }
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

TEST_F(CFileTest, ReadOnlyFileIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind root";
    fs::permissions(PathOf("a.wxl"), fs::perms::owner_read);
    CFile file;
    try {
        file.Open(PathOf("a.wxl"), CFile::modeReplace);
        ADD_FAILURE() << "opened a read-only file for replacing";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.GetErrorMessage(), "对 " + PathOf("a.wxl") + " 的存取被拒绝。");
    }
    EXPECT_EQ(Content(), "old");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

}  // namespace
