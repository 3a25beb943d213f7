#include "res/StringTable.h"

#include "fw/core/FrameworkText.h"
#include "res/resource.h"

#include <utility>

namespace {

constexpr std::pair<unsigned, std::string_view> kStrings[] = {
    // Fields: window title, document name, new-file name, filter name,
    // filter extension, file type id, file type name.
    {IDR_MAINFRAME, "Client\n\nClient\nQipu Files(*.wxl)\n.wxl\nClient.Document\nClient Document"},

    // The program's commands. 32771 to 32789 without a menu item, button or
    // key are kept as the table has them.
    {32771, "定义下一手棋扔飞弹（下花子）"},
    {32773, "定义下一手棋扔飞弹（下花子）"},
    {ID_DEFINE_BOMB, "定义下一次鼠标左键点击扔飞弹（下花子）\n定义扔飞弹"},
    {32775, "后退一步\n后退"},
    {ID_STEP_BACK, "后退一步\n后退"},
    {32777, "前进一步\n前进"},
    {ID_STEP_FORWARD, "前进一步\n前进"},
    {32779, "到棋谱还没有落子的开始\n到开局"},
    {ID_GO_TO_START, "到棋谱还没有落子的开始\n到开局"},
    {32781, "前进到棋谱的最后一手\n到局末"},
    {ID_GO_TO_END, "前进到棋谱的最后一手\n到局末"},
    {32784, "Pass 1手/虚着1手\n虚着Pass"},
    {ID_PASS, "Pass 1手/虚着1手\n虚着Pass"},
    {32786, "开启/关闭手数显示"},
    {ID_SHOW_LAST10, "开启或关闭最后10手手数显示\n打谱显示10手手数"},
    {32788, "开启或关闭手数显示\n打谱手数显示"},
    {32789, "开启或关闭全部手数显示\n打谱显示全部手数"},
    {ID_SHOW_ALL, "开启或关闭全部手数显示\n打谱显示全部手数"},

    {AFX_IDS_APP_TITLE, "Client"},
    {AFX_IDS_IDLEMESSAGE, "就绪"},

    // The framework's texts for the standard commands the program offers.
    {ID_FILE_NEW, "建立新文档\n新建"},
    {ID_FILE_OPEN, "打开一个现有文档\n打开"},
    {ID_FILE_SAVE, "保存活动文档\n保存"},
    {ID_FILE_SAVE_AS, "将活动文档以一个新文件名保存\n另存为"},
    {ID_FILE_PRINT_SETUP, "改变打印机及打印选项\n打印设置"},
    {ID_FILE_PRINT, "打印活动文档\n打印"},
    {ID_FILE_PRINT_PREVIEW, "显示整页\n打印预览"},
    {ID_EDIT_COPY, "复制被选对象并将其置于剪贴板上\n复制"},
    {ID_EDIT_CUT, "剪切被选对象并将其置于剪贴板上\n剪切"},
    {ID_EDIT_PASTE, "插入剪贴板内容\n粘贴"},
    {ID_EDIT_UNDO, "撤消最后一步操作\n撤消"},
    {ID_APP_ABOUT, "显示程序信息，版本号和版权\n关于"},
    {ID_APP_EXIT, "退出应用程序；提示保存文档\n退出"},
    {ID_VIEW_TOOLBAR, "显示或隐藏工具栏\n显隐工具栏"},
    {ID_VIEW_STATUS_BAR, "显示或隐藏状态栏\n显隐状态栏"},
    {ID_INDICATOR_CAPS, "大写"},
    {ID_INDICATOR_NUM, "数字"},
    {ID_INDICATOR_SCRL, "滚动"},
};

// Every recent-file entry, ID_FILE_MRU_FIRST to ID_FILE_MRU_LAST, has this text.
constexpr std::string_view kRecentFileText = "打开该文档";

}  // namespace

std::string_view LoadResourceString(unsigned nID)
{
    if (nID >= ID_FILE_MRU_FIRST && nID <= ID_FILE_MRU_LAST)
        return kRecentFileText;
    for (const auto& [id, text] : kStrings)
        if (id == nID)
            return text;
    return fw::FrameworkText(nID);
}
