// The about box IDD_ABOUTBOX as data: a modal dialog with caption bar, system
// menu and modal frame. Positions and sizes are in dialog units, which the
// builder converts with the dialog font's average character size (a unit is
// a quarter of its width horizontally, an eighth of its height vertically).
#pragma once

#include "res/resource.h"

#include <span>
#include <string_view>

enum class DialogControlKind { StaticIcon, StaticText, PushButton };

// Control styles, as the dialog template has them.
enum DialogControlFlags : unsigned {
    DLG_GROUP = 0x01,     // starts a group
    DLG_TABSTOP = 0x02,
    DLG_NOPREFIX = 0x04,  // "&" is shown as it is, not as a mnemonic
    DLG_WORDWRAP = 0x08,  // left-aligned text wrapped over several lines
    DLG_DEFAULT = 0x10,   // the default push button (Enter)
};

struct DialogControlDef {
    DialogControlKind kind;
    int nID;
    int x, y, cx, cy;
    std::string_view text;  // empty for an icon
    unsigned nIconID;       // the icon resource of a StaticIcon, else 0
    unsigned flags;         // DialogControlFlags
};

struct DialogDef {
    std::string_view caption;
    std::string_view fontName;
    int nFontPoints;
    int cx, cy;
    std::span<const DialogControlDef> controls;  // in template (tab) order
};

inline constexpr DialogControlDef ABOUT_DIALOG_CONTROLS[] = {
    {DialogControlKind::StaticIcon, IDC_STATIC, 11, 17, 20, 20, {}, IDR_MAINFRAME, 0},
    {DialogControlKind::StaticText, IDC_STATIC, 40, 10, 119, 8, "SorvethWexlan1.4版", 0, DLG_GROUP | DLG_NOPREFIX},
    {DialogControlKind::StaticText, IDC_STATIC, 41, 26, 156, 30,
     "SorvethWexlan 棋谱记录与打谱程序。\n本版本为 2026 年在 Qt 上的重新实现。", 0, DLG_GROUP | DLG_WORDWRAP},
    {DialogControlKind::PushButton, IDOK, 178, 7, 50, 14, "确定", 0, DLG_GROUP | DLG_TABSTOP | DLG_DEFAULT},
};

inline constexpr DialogDef ABOUT_DIALOG{"关于SorvethWexlan", "宋体", 9, 235, 70, ABOUT_DIALOG_CONTROLS};
