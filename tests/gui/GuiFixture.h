// Shared set-up of the shell tests: prompts that record what would be shown
// and answer from queues, a fresh settings folder and a temporary folder for
// game files per test, and the application started with given arguments.
// Only one application object may exist at a time: each test makes its own
// and the fixture destroys it.
#pragma once

#include "app/ClientApp.h"
#include "app/MainFrm.h"
#include "record/ClientDoc.h"
#include "record/MoveRecord.h"
#include "res/resource.h"
#include "support/FakePrompts.h"
#include "support/RecordBytes.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class GuiTest : public ::testing::Test {
protected:
    using Answer = CUserPrompts::Answer;
    using FileDialog = CUserPrompts::FileDialog;

    GuiTest()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_settingsDir.isValid());
    }

    // A new application object with these arguments after the program name,
    // through its start-up step. Returns what InitInstance returned.
    bool StartApp(std::vector<std::string> args = {})
    {
        m_pApp.reset();
        m_pApp = std::make_unique<CClientApp>();
        m_pApp->SetArguments(std::move(args));
        return m_pApp->InitInstance();
    }

    // Starts without arguments and stops the test when that fails.
    void StartWithNewGame()
    {
        ASSERT_TRUE(StartApp());
        ASSERT_NE(Frame(), nullptr);
        ASSERT_NE(Doc(), nullptr);
    }

    // The program's end: the settings are written back, then the object goes.
    void ExitApp()
    {
        m_pApp->ExitInstance();
        m_pApp.reset();
    }

    CMainFrame* Frame() const { return static_cast<CMainFrame*>(m_pApp->GetMainWnd()); }
    CClientDoc* Doc() const
    {
        return m_pApp->GetDocTemplate() ? static_cast<CClientDoc*>(m_pApp->GetDocTemplate()->GetDocument()) : nullptr;
    }

    // Runs a command as the menu would; true when a handler ran.
    bool Run(unsigned nID) { return Frame()->RouteCommand(nID); }

    // Whether the menu item and button of nID are enabled after an update
    // like the one of idle time; the route's answer must agree.
    bool Enabled(unsigned nID)
    {
        Frame()->UpdateCommandUI();
        const bool bEnabled = Frame()->CommandAction(nID)->isEnabled();
        EXPECT_EQ(bEnabled, Frame()->IsCommandEnabled(nID)) << "command " << nID;
        return bEnabled;
    }

    // Opens a file through File > Open, the dialog answering with strPath.
    void OpenThroughMenu(const std::string& strPath)
    {
        m_prompts.m_fileNames.push_back(strPath);
        Run(ID_FILE_OPEN);
    }

    std::string PathOf(const std::string& strName) const
    {
        return m_dir.filePath(QString::fromStdString(strName)).toStdString();
    }

    // The bytes of a game-record file holding entries.
    static std::string RecordBytes(const std::vector<MovePoint>& entries)
    {
        return testing_support::RecordBytes(entries);
    }

    std::string WriteGame(const std::string& strName, const std::vector<MovePoint>& entries) const
    {
        return WriteBytes(strName, RecordBytes(entries));
    }

    std::string WriteBytes(const std::string& strName, const std::string& bytes) const
    {
        const std::string strPath = PathOf(strName);
        std::ofstream(strPath, std::ios::binary) << bytes;
        return strPath;
    }

    static std::string ReadBytes(const std::string& strPath)
    {
        std::ifstream file(strPath, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    static std::vector<MovePoint> EntriesOf(const CClientDoc& doc)
    {
        std::vector<MovePoint> entries;
        for (int i = 0; i < doc.GetMoves().GetSize(); ++i)
            entries.push_back(doc.GetMoves()[i]);
        return entries;
    }

    // The settings store the application uses, opened the way it opens it.
    static std::unique_ptr<QSettings> ClientSettings()
    {
        return std::make_unique<QSettings>(QStringLiteral("Local AppWizard-Generated Applications"),
                                           QStringLiteral("Client"));
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_settingsDir;
    CFakePrompts m_prompts;
    CPromptsOverride m_promptsOverride{m_prompts};
    std::unique_ptr<CClientApp> m_pApp;  // last: gone before the prompts and folders
};
