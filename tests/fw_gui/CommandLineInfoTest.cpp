#include "fw/gui/CCommandLineInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CCommandLineInfo Parse(const std::vector<std::string>& args)
{
    CCommandLineInfo info;
    ParseCommandLine(info, args);
    return info;
}

CCommandLineInfo::ShellCommand ShellCommandOf(const std::vector<std::string>& args)
{
    return Parse(args).m_nShellCommand;
}

TEST(CommandLineParameters, NoArgumentsMeanANewFileWithTheSplash)
{
    const CCommandLineInfo info = Parse({});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_EQ(info.m_strFileName, "");
    EXPECT_TRUE(info.m_bShowSplash);
    EXPECT_FALSE(info.m_bRunEmbedded);
    EXPECT_FALSE(info.m_bRunAutomated);
}

TEST(CommandLineParameters, FirstParameterIsOpenedAndLaterOnesAreIgnored)
{
    const CCommandLineInfo info = Parse({"game.wxl", "other.wxl", "third"});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, "game.wxl");
    EXPECT_EQ(info.m_strPrinterName, "");
}

TEST(CommandLineParameters, AnEmptyParameterFillsNothing)
{
    EXPECT_EQ(Parse({"", "game.wxl"}).m_strFileName, "game.wxl");
    EXPECT_EQ(ShellCommandOf({""}), CCommandLineInfo::FileNew);
}

TEST(CommandLineSwitches, PrintSwitchIsExactCaseAndUpperCaseIsIgnored)
{
    const CCommandLineInfo print = Parse({"/p", "game.wxl"});
    EXPECT_EQ(print.m_nShellCommand, CCommandLineInfo::FilePrint);
    EXPECT_EQ(print.m_strFileName, "game.wxl");

    // "P" is no switch at all, so the file is simply opened.
    EXPECT_EQ(ShellCommandOf({"/P", "game.wxl"}), CCommandLineInfo::FileOpen);
    EXPECT_EQ(ShellCommandOf({"/PT", "game.wxl"}), CCommandLineInfo::FileOpen);
}

TEST(CommandLineSwitches, PrintToTakesPrinterDriverAndPortAfterTheFile)
{
    const CCommandLineInfo info = Parse({"-pt", "game.wxl", "Printer", "Driver", "LPT1:", "extra"});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(info.m_strFileName, "game.wxl");
    EXPECT_EQ(info.m_strPrinterName, "Printer");
    EXPECT_EQ(info.m_strDriverName, "Driver");
    EXPECT_EQ(info.m_strPortName, "LPT1:");
}

TEST(CommandLineSwitches, ParametersBeforePrintToAreNotPrinterNames)
{
    const CCommandLineInfo info = Parse({"game.wxl", "ignored", "/pt", "Printer"});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(info.m_strPrinterName, "Printer");
    EXPECT_EQ(info.m_strDriverName, "");
}

TEST(CommandLineSwitches, PrintWithoutPrintToIgnoresExtraParameters)
{
    const CCommandLineInfo info = Parse({"/p", "game.wxl", "Printer"});
    EXPECT_EQ(info.m_strPrinterName, "");
}

TEST(CommandLineSwitches, UnregisterMatchesBothNamesInAnyCase)
{
    for (const char* arg : {"/Unregister", "-unregister", "/UNREGSERVER", "-UnRegServer"})
        EXPECT_EQ(ShellCommandOf({arg}), CCommandLineInfo::AppUnregister) << arg;
    EXPECT_EQ(ShellCommandOf({"-Unreg"}), CCommandLineInfo::FileNew);
}

TEST(CommandLineSwitches, DdeIsExactCase)
{
    EXPECT_EQ(ShellCommandOf({"/dde"}), CCommandLineInfo::FileDDE);
    EXPECT_EQ(ShellCommandOf({"-DDE"}), CCommandLineInfo::FileNew);
}

TEST(CommandLineSwitches, ShellCommandSwitchKeepsAFileFromBecomingOpen)
{
    EXPECT_EQ(ShellCommandOf({"game.wxl", "/dde"}), CCommandLineInfo::FileDDE);
    EXPECT_EQ(ShellCommandOf({"game.wxl", "/p"}), CCommandLineInfo::FilePrint);
}

TEST(CommandLineSwitches, LaterShellCommandSwitchWins)
{
    EXPECT_EQ(ShellCommandOf({"/pt", "/p"}), CCommandLineInfo::FilePrint);
    EXPECT_EQ(ShellCommandOf({"/p", "/dde"}), CCommandLineInfo::FileDDE);
}

TEST(CommandLineSwitches, EmbeddingAndAutomationInAnyCaseClearTheSplash)
{
    const CCommandLineInfo embedded = Parse({"-EMBEDDING"});
    EXPECT_TRUE(embedded.m_bRunEmbedded);
    EXPECT_FALSE(embedded.m_bRunAutomated);
    EXPECT_FALSE(embedded.m_bShowSplash);

    const CCommandLineInfo automated = Parse({"/automation", "game.wxl"});
    EXPECT_TRUE(automated.m_bRunAutomated);
    EXPECT_FALSE(automated.m_bRunEmbedded);
    EXPECT_FALSE(automated.m_bShowSplash);
    EXPECT_EQ(automated.m_nShellCommand, CCommandLineInfo::FileOpen);
}

TEST(CommandLineSwitches, UnknownSwitchesAndBarePrefixesAreIgnored)
{
    const CCommandLineInfo info = Parse({"-x", "-", "--p", "-Embed", "game.wxl"});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, "game.wxl");
    EXPECT_TRUE(info.m_bShowSplash);
    EXPECT_FALSE(info.m_bRunEmbedded);
}

#ifndef _WIN32
TEST(CommandLineSwitches, AnAbsolutePathIsAFileNameNotASwitch)
{
    const CCommandLineInfo info = Parse({"/home/user/game.wxl"});
    EXPECT_EQ(info.m_strFileName, "/home/user/game.wxl");
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
}

TEST(CommandLineSwitches, SlashStartsAKnownSwitchBeforeAnAbsolutePath)
{
    const CCommandLineInfo info = Parse({"/p", "/home/user/game.wxl"});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrint);
    EXPECT_EQ(info.m_strFileName, "/home/user/game.wxl");
}
#endif

}  // namespace
