#include "res/ResourceTables.h"

#include "res/resource.h"

namespace {

constexpr MenuItemDef kFileMenu[] = {
    {ID_FILE_NEW, "新建(&N)\tCtrl+N"},
    {ID_FILE_OPEN, "打开(&O)...\tCtrl+O"},
    {ID_FILE_SAVE, "保存(&S)\tCtrl+S"},
    {ID_FILE_SAVE_AS, "另存为(&A)..."},
    {ID_SEPARATOR, {}},
    {ID_FILE_PRINT, "打印(&P)...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "打印预览(&V)"},
    {ID_FILE_PRINT_SETUP, "打印设置(&R)..."},
    {ID_SEPARATOR, {}},
    // Replaced by the recent files once there are any; gray while the list is empty.
    {ID_FILE_MRU_FILE1, "最近文件", true},
    {ID_SEPARATOR, {}},
    {ID_APP_EXIT, "退出(&X)"},
};

constexpr MenuItemDef kEditMenu[] = {
    {ID_EDIT_UNDO, "撤消(&U)\tCtrl+Z"},
    {ID_SEPARATOR, {}},
    {ID_EDIT_CUT, "剪切(&T)\tCtrl+X"},
    {ID_EDIT_COPY, "复制(&C)\tCtrl+C"},
    {ID_EDIT_PASTE, "粘贴(&P)\tCtrl+V"},
};

constexpr MenuItemDef kPlayMenu[] = {
    {ID_PASS, "虚着Pass(&P)"},
};

// "Ctrl+T" and "Ctrl+F" are display text only: no accelerator binds them.
constexpr MenuItemDef kReplayMenu[] = {
    {ID_STEP_BACK, "后退一步(&B)\tCtrl+T"},
    {ID_STEP_FORWARD, "前进一步(&F)\tCtrl+F"},
    {ID_GO_TO_START, "退至开始(&S)"},
    {ID_GO_TO_END, "进到最后(&E)"},
    {ID_SHOW_LAST10, "显示10手手数(&X)"},
    {ID_SHOW_ALL, "显示全部手数(&N)"},
};

constexpr MenuItemDef kBombMenu[] = {
    {ID_DEFINE_BOMB, "定义扔飞弹(&F)\tCtrl+D"},
};

constexpr MenuItemDef kViewMenu[] = {
    {ID_VIEW_TOOLBAR, "工具栏(&T)"},
    {ID_VIEW_STATUS_BAR, "状态栏(&S)"},
};

constexpr MenuItemDef kHelpMenu[] = {
    {ID_APP_ABOUT, "关于SorvethWexlan1.4(&A)..."},
};

constexpr PopupMenuDef kMainMenu[] = {
    {"文件(&F)", kFileMenu},
    {"编辑(&E)", kEditMenu},
    {"对弈(&Y)", kPlayMenu},
    {"打谱(&D)", kReplayMenu},
    {"扔飞弹(&R)", kBombMenu},
    {"查看(&V)", kViewMenu},
    {"帮助(&H)", kHelpMenu},
};

}  // namespace

std::span<const PopupMenuDef> MainMenu()
{
    return kMainMenu;
}
