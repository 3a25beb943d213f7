// New, Open and Save As on a small text document, through real files.
#include "fw/core/DocumentPaths.h"

#include "fw/core/CArchive.h"
#include "fw/core/CDocument.h"
#include "fw/core/MessageBox.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Its content is a text, stored as a count and the bytes.
class CTextDoc : public CDocument {
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<std::uint32_t>(m_strText.size()));
            ar.Write(m_strText.data(), m_strText.size());
        } else {
            m_strText.resize(ar.ReadCount());
            ar.Read(m_strText.data(), m_strText.size());
        }
    }
    void DeleteContents() override { m_strText.clear(); }

    std::string m_strText;
};

class DocumentPathsTest : public testing_support::TempFolderTest {
protected:
    // doc shows game.txt, which holds "abc", with the unsaved edit "edited".
    void OpenWithUnsavedEdit()
    {
        CTextDoc other;
        other.m_strText = "abc";
        ASSERT_TRUE(other.OnSaveDocument(PathOf("game.txt")));
        ASSERT_TRUE(fw::OpenDocumentFile(doc, PathOf("game.txt")));
        EXPECT_EQ(doc.m_strText, "abc");
        EXPECT_FALSE(doc.IsModified());
        doc.m_strText = "edited";
        doc.SetModifiedFlag();
    }

    std::vector<std::string> m_messages;
    CMessageBoxRedirect m_redirect{[this](const std::string& text) { m_messages.push_back(text); }};
    CTextDoc doc;
};

TEST_F(DocumentPathsTest, OpenedFileBecomesThePathAndTitleUntilANewDocument)
{
    OpenWithUnsavedEdit();
    EXPECT_EQ(doc.GetPathName(), PathOf("game.txt"));
    EXPECT_EQ(doc.GetTitle(), "game.txt");
    ASSERT_TRUE(fw::NewDocument(doc));
    EXPECT_EQ(doc.m_strText, "");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "无标题");
    EXPECT_EQ(doc.GetPathName(), "");
}

TEST_F(DocumentPathsTest, OpeningTheFileAlreadyOpenKeepsUnsavedEdits)
{
    OpenWithUnsavedEdit();
    EXPECT_TRUE(fw::OpenDocumentFile(doc, PathOf("game.txt")));
    EXPECT_TRUE(fw::OpenDocumentFile(doc, (m_dir / "." / "game.txt").string()));
    EXPECT_EQ(doc.m_strText, "edited");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentPathsTest, MissingFileLeavesTheDocumentAsItWasModifiedFlagIncluded)
{
    OpenWithUnsavedEdit();
    EXPECT_FALSE(fw::OpenDocumentFile(doc, PathOf("none.txt")));
    EXPECT_EQ(m_messages, std::vector<std::string>{"没有找到 " + PathOf("none.txt") + "。"});
    EXPECT_EQ(doc.m_strText, "edited");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), PathOf("game.txt"));
}

TEST_F(DocumentPathsTest, FailureAfterTheFileOpenedLeavesANewUnmodifiedDocument)
{
    OpenWithUnsavedEdit();
    std::ofstream(PathOf("cut.txt")) << '\x09';  // ends inside the count
    EXPECT_FALSE(fw::OpenDocumentFile(doc, PathOf("cut.txt")));
    EXPECT_EQ(m_messages, std::vector<std::string>{"非预期的文件格式。"});
    EXPECT_EQ(doc.m_strText, "");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "无标题");
    EXPECT_EQ(doc.GetPathName(), "");
}

TEST_F(DocumentPathsTest, SaveAsMakesTheNewFileTheDocumentsPathOnlyWhenItSucceeds)
{
    doc.m_strText = "abc";
    doc.SetModifiedFlag();
    ASSERT_TRUE(fw::SaveDocumentAs(doc, PathOf("saved.txt")));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), PathOf("saved.txt"));
    EXPECT_EQ(doc.GetTitle(), "saved.txt");

    doc.SetModifiedFlag();
    EXPECT_FALSE(fw::SaveDocumentAs(doc, PathOf("gone/other.txt")));
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), PathOf("saved.txt"));
    EXPECT_EQ(doc.GetTitle(), "saved.txt");
}

}  // namespace
