#include "res/AboutDialogDef.h"
#include "res/ResourceTables.h"
#include "res/StringTable.h"
#include "res/VersionInfo.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

constexpr unsigned SEP = ID_SEPARATOR;

std::vector<std::string_view> MenuTitles()
{
    std::vector<std::string_view> titles;
    for (const PopupMenuDef& menu : MainMenu())
        titles.push_back(menu.title);
    return titles;
}

std::vector<unsigned> MenuIds(std::size_t nMenu)
{
    std::vector<unsigned> ids;
    for (const MenuItemDef& item : MainMenu()[nMenu].items)
        ids.push_back(item.nID);
    return ids;
}

std::vector<unsigned> ToolbarIds()
{
    std::vector<unsigned> ids;
    for (const ToolbarButtonDef& button : MainToolbar())
        ids.push_back(button.nID);
    return ids;
}

// Every command the menu and the toolbar carry, separators left out.
std::vector<unsigned> MenuAndToolbarCommands()
{
    std::vector<unsigned> ids;
    for (const PopupMenuDef& menu : MainMenu())
        for (const MenuItemDef& item : menu.items)
            ids.push_back(item.nID);
    for (const ToolbarButtonDef& button : MainToolbar())
        ids.push_back(button.nID);
    std::erase(ids, SEP);
    return ids;
}

using Accel = std::tuple<unsigned, unsigned, unsigned>;  // flags, key, command

std::vector<Accel> Accelerators()
{
    std::vector<Accel> accels;
    for (const AcceleratorDef& a : MainAccelerators())
        accels.emplace_back(a.fVirt, a.nVirtKey, a.nID);
    return accels;
}

TEST(MainMenu, HasTheSevenDropDownsInOrder)
{
    EXPECT_EQ(MenuTitles(), (std::vector<std::string_view>{"文件(&F)", "编辑(&E)", "对弈(&Y)", "打谱(&D)",
                                                           "扔飞弹(&R)", "查看(&V)", "帮助(&H)"}));
}

TEST(MainMenu, EachDropDownHoldsItsCommandsAndSeparatorsInOrder)
{
    ASSERT_EQ(MainMenu().size(), 7u);
    EXPECT_EQ(MenuIds(0), (std::vector<unsigned>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, SEP,
                                                 ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, SEP,
                                                 ID_FILE_MRU_FILE1, SEP, ID_APP_EXIT}));
    EXPECT_EQ(MenuIds(1), (std::vector<unsigned>{ID_EDIT_UNDO, SEP, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}));
    EXPECT_EQ(MenuIds(2), (std::vector<unsigned>{ID_PASS}));
    EXPECT_EQ(MenuIds(3), (std::vector<unsigned>{ID_STEP_BACK, ID_STEP_FORWARD, ID_GO_TO_START, ID_GO_TO_END,
                                                 ID_SHOW_LAST10, ID_SHOW_ALL}));
    EXPECT_EQ(MenuIds(4), (std::vector<unsigned>{ID_DEFINE_BOMB}));
    EXPECT_EQ(MenuIds(5), (std::vector<unsigned>{ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}));
    EXPECT_EQ(MenuIds(6), (std::vector<unsigned>{ID_APP_ABOUT}));
}

TEST(MainMenu, OnlyTheRecentFilePlaceholderIsGrayAndLacksAMnemonic)
{
    for (const PopupMenuDef& menu : MainMenu())
        for (const MenuItemDef& item : menu.items) {
            SCOPED_TRACE(item.nID);
            if (item.nID == SEP) {
                EXPECT_TRUE(item.text.empty());
                continue;
            }
            const bool bPlaceholder = item.nID == ID_FILE_MRU_FILE1;
            EXPECT_EQ(item.bGrayed, bPlaceholder);
            EXPECT_EQ(item.text.find("(&") == std::string_view::npos, bPlaceholder) << item.text;
        }
    EXPECT_EQ(MainMenu()[0].items[9].text, "最近文件");
}

TEST(MainMenu, SpotTextsAreExact)
{
    EXPECT_EQ(MainMenu()[0].items[1].text, "打开(&O)...\tCtrl+O");
    EXPECT_EQ(MainMenu()[2].items[0].text, "虚着Pass(&P)");
    EXPECT_EQ(MainMenu()[3].items[0].text, "后退一步(&B)\tCtrl+T");
    EXPECT_EQ(MainMenu()[4].items[0].text, "定义扔飞弹(&F)\tCtrl+D");
    EXPECT_EQ(MainMenu()[6].items[0].text, "关于SorvethWexlan1.4(&A)...");
}

// A "\tCtrl+K" key name must have its accelerator, except the display-only
// Ctrl+T and Ctrl+F of the step commands.
TEST(MainMenu, CtrlKeyNamesMatchTheAcceleratorsExceptTheStepCommands)
{
    for (const PopupMenuDef& menu : MainMenu())
        for (const MenuItemDef& item : menu.items) {
            const auto tab = item.text.find("\tCtrl+");
            if (tab == std::string_view::npos)
                continue;
            ASSERT_EQ(item.text.size(), tab + 7) << item.text;
            const Accel accel{FVIRTKEY | FNOINVERT | FCONTROL, static_cast<unsigned char>(item.text.back()), item.nID};
            const bool bBound = std::ranges::count(Accelerators(), accel) == 1;
            EXPECT_EQ(bBound, item.nID != ID_STEP_BACK && item.nID != ID_STEP_FORWARD) << item.text;
        }
}

TEST(MainAccelerators, HoldExactlyTheFifteenKeysInOrder)
{
    constexpr unsigned K = FVIRTKEY | FNOINVERT;
    EXPECT_EQ(Accelerators(), (std::vector<Accel>{
                                  {K | FCONTROL, 0x43, ID_EDIT_COPY},
                                  {K | FCONTROL, 0x44, ID_DEFINE_BOMB},
                                  {K | FCONTROL, 0x4E, ID_FILE_NEW},
                                  {K | FCONTROL, 0x4F, ID_FILE_OPEN},
                                  {K | FCONTROL, 0x50, ID_FILE_PRINT},
                                  {K | FCONTROL, 0x53, ID_FILE_SAVE},
                                  {K | FCONTROL, 0x56, ID_EDIT_PASTE},
                                  {K | FALT, 0x08, ID_EDIT_UNDO},
                                  {K | FSHIFT, 0x2E, ID_EDIT_CUT},
                                  {K, 0x75, ID_NEXT_PANE},
                                  {K | FSHIFT, 0x75, ID_PREV_PANE},
                                  {K | FCONTROL, 0x2D, ID_EDIT_COPY},
                                  {K | FSHIFT, 0x2D, ID_EDIT_PASTE},
                                  {K | FCONTROL, 0x58, ID_EDIT_CUT},
                                  {K | FCONTROL, 0x5A, ID_EDIT_UNDO},
                              }));
}

TEST(MainAccelerators, NoKeyReachesTheStepCommands)
{
    for (const AcceleratorDef& a : MainAccelerators()) {
        EXPECT_NE(a.nID, ID_STEP_BACK);
        EXPECT_NE(a.nID, ID_STEP_FORWARD);
    }
}

TEST(MainToolbar, HasSeventeenButtonsAndThreeSeparatorsInOrder)
{
    EXPECT_EQ(ToolbarIds(), (std::vector<unsigned>{
                                ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, SEP, ID_EDIT_CUT, ID_EDIT_COPY,
                                ID_EDIT_PASTE, SEP, ID_FILE_PRINT, SEP, ID_APP_ABOUT, ID_GO_TO_START, ID_STEP_BACK,
                                ID_STEP_FORWARD, ID_GO_TO_END, ID_SHOW_LAST10, ID_SHOW_ALL, ID_BUTTON32783, ID_PASS,
                                ID_DEFINE_BOMB}));
    EXPECT_EQ(ID_BUTTON32783, 32783u);
}

TEST(StringTable, EveryMenuAndToolbarCommandHasAPromptAndTooltipExceptTheEmptyButton)
{
    for (const unsigned nID : MenuAndToolbarCommands()) {
        SCOPED_TRACE(nID);
        const std::string_view text = LoadResourceString(nID);
        if (nID == ID_BUTTON32783) {
            EXPECT_TRUE(text.empty());
        } else if (nID == ID_FILE_MRU_FILE1) {
            EXPECT_EQ(text, "打开该文档");  // a prompt, no tooltip
        } else {
            EXPECT_FALSE(CommandPrompt(text).empty());
            EXPECT_FALSE(CommandTooltip(text).empty());
        }
    }
}

TEST(StringTable, PassButtonShowsItsTooltipAndPrompt)
{
    const std::string_view text = LoadResourceString(ID_PASS);
    EXPECT_EQ(CommandTooltip(text), "虚着Pass");
    EXPECT_EQ(CommandPrompt(text), "Pass 1手/虚着1手");
}

TEST(StringTable, SpotTextsAreExactIncludingFullWidthPunctuation)
{
    EXPECT_EQ(LoadResourceString(ID_DEFINE_BOMB), "定义下一次鼠标左键点击扔飞弹（下花子）\n定义扔飞弹");
    EXPECT_EQ(LoadResourceString(ID_SHOW_LAST10), "开启或关闭最后10手手数显示\n打谱显示10手手数");
    EXPECT_EQ(LoadResourceString(ID_APP_ABOUT), "显示程序信息，版本号和版权\n关于");
    EXPECT_EQ(LoadResourceString(ID_APP_EXIT), "退出应用程序；提示保存文档\n退出");
    EXPECT_EQ(LoadResourceString(IDR_MAINFRAME),
              "Client\n\nClient\nQipu Files(*.wxl)\n.wxl\nClient.Document\nClient Document");
    EXPECT_EQ(LoadResourceString(AFX_IDS_APP_TITLE), "Client");
    EXPECT_EQ(LoadResourceString(AFX_IDS_IDLEMESSAGE), "就绪");
    EXPECT_EQ(LoadResourceString(ID_INDICATOR_CAPS), "大写");
    EXPECT_EQ(LoadResourceString(ID_INDICATOR_NUM), "数字");
    EXPECT_EQ(LoadResourceString(ID_INDICATOR_SCRL), "滚动");
}

TEST(StringTable, UnusedProgramEntriesAndTheWholeRecentFileRangeAreKept)
{
    for (const unsigned nID : {32771u, 32773u})
        EXPECT_EQ(LoadResourceString(nID), "定义下一手棋扔飞弹（下花子）");
    EXPECT_EQ(LoadResourceString(32784), LoadResourceString(ID_PASS));
    EXPECT_EQ(LoadResourceString(32786), "开启/关闭手数显示");
    EXPECT_EQ(LoadResourceString(32788), "开启或关闭手数显示\n打谱手数显示");
    for (const unsigned nID : {32772u, 32783u})
        EXPECT_TRUE(LoadResourceString(nID).empty()) << nID;
    EXPECT_EQ(LoadResourceString(ID_FILE_MRU_LAST), "打开该文档");
    EXPECT_TRUE(LoadResourceString(ID_FILE_MRU_LAST + 1).empty());
}

TEST(StringTable, FrameworkTextsFillTheIdsTheTableDoesNotHold)
{
    EXPECT_EQ(LoadResourceString(61699), "将改动保存到 %1？");
    EXPECT_EQ(LoadResourceString(61700), "建立空文档失败。");
    EXPECT_EQ(LoadResourceString(61707), "系统注册项已被移除并且相应的 INI 文件（假如存在）也被删除。");
    EXPECT_TRUE(LoadResourceString(1).empty());
}

TEST(StringTable, PromptIsTheWholeStringWithoutANewlineAndTheTooltipStopsAtTheNext)
{
    EXPECT_EQ(CommandPrompt("就绪"), "就绪");
    EXPECT_EQ(CommandTooltip("就绪"), "");
    EXPECT_EQ(CommandTooltip("a\nb\nc"), "b");
}

TEST(AboutDialog, HasItsCaptionFontSizeAndFourControlsInTemplateOrder)
{
    EXPECT_EQ(ABOUT_DIALOG.caption, "关于SorvethWexlan");
    EXPECT_EQ(ABOUT_DIALOG.fontName, "宋体");
    EXPECT_EQ(ABOUT_DIALOG.nFontPoints, 9);
    EXPECT_EQ(std::tie(ABOUT_DIALOG.cx, ABOUT_DIALOG.cy), std::make_tuple(235, 70));
    ASSERT_EQ(ABOUT_DIALOG.controls.size(), 4u);

    const DialogControlDef& icon = ABOUT_DIALOG.controls[0];
    EXPECT_EQ(icon.kind, DialogControlKind::StaticIcon);
    EXPECT_EQ(icon.nIconID, IDR_MAINFRAME);
    EXPECT_EQ(ABOUT_DIALOG.controls[1].text, "SorvethWexlan1.4版");
    EXPECT_TRUE(ABOUT_DIALOG.controls[1].flags & DLG_NOPREFIX);
    EXPECT_TRUE(ABOUT_DIALOG.controls[2].flags & DLG_WORDWRAP);

    const DialogControlDef& ok = ABOUT_DIALOG.controls[3];
    EXPECT_EQ(ok.kind, DialogControlKind::PushButton);
    EXPECT_EQ(ok.nID, IDOK);
    EXPECT_EQ(ok.text, "确定");
    EXPECT_EQ(std::tie(ok.x, ok.y, ok.cx, ok.cy), std::make_tuple(178, 7, 50, 14));
    EXPECT_EQ(ok.flags, DLG_GROUP | DLG_TABSTOP | DLG_DEFAULT);
}

TEST(VersionRecord, BlockNameAndVersionStringsAgreeWithTheNumbers)
{
    char block[9];
    std::snprintf(block, sizeof block, "%04x%04x", VER_LANGUAGE, VER_CODEPAGE);
    EXPECT_EQ(VER_BLOCK_NAME, block);

    const auto& v = VER_FILEVERSION;
    const std::string numbers = std::to_string(v.nMajor) + ", " + std::to_string(v.nMinor) + ", " +
                                std::to_string(v.nBuild) + ", " + std::to_string(v.nRevision);
    const auto value = [](std::string_view key) {
        const auto it = std::ranges::find(VERSION_STRINGS, key, &VersionStringDef::key);
        return it == std::end(VERSION_STRINGS) ? std::string_view("<missing>") : it->value;
    };
    EXPECT_EQ(value("FileVersion"), numbers);
    EXPECT_EQ(value("ProductVersion"), numbers);
    EXPECT_EQ(value("OriginalFilename"), "Wexlan1.4.EXE");
    EXPECT_EQ(std::size(VERSION_STRINGS), 12u);
}

TEST(VersionRecord, TheWindowsResourceScriptCarriesTheSameValues)
{
    std::ifstream script(WEXLAN_RC_PATH);
    ASSERT_TRUE(script) << WEXLAN_RC_PATH;
    const std::string text{std::istreambuf_iterator<char>(script), {}};
    for (const VersionStringDef& entry : VERSION_STRINGS) {
        const std::string line = "VALUE \"" + std::string(entry.key) + "\", \"" + std::string(entry.value) + "\\0\"";
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    const auto& v = VER_FILEVERSION;
    const std::string numbers = std::to_string(v.nMajor) + "," + std::to_string(v.nMinor) + "," +
                                std::to_string(v.nBuild) + "," + std::to_string(v.nRevision);
    EXPECT_NE(text.find("FILEVERSION " + numbers), std::string::npos);
    EXPECT_NE(text.find("BLOCK \"" + std::string(VER_BLOCK_NAME) + "\""), std::string::npos);
}

}  // namespace
