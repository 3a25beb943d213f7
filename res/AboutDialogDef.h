// The about box IDD_ABOUTBOX as data: a modal dialog with caption bar, system
// menu and modal frame. Positions and sizes are in dialog units.
#pragma once

#include "fw/core/ResourceDefs.h"
#include "res/resource.h"

inline constexpr DialogControlDef ABOUT_DIALOG_CONTROLS[] = {
    {DialogControlKind::StaticIcon, IDC_STATIC, 11, 17, 20, 20, {}, IDR_MAINFRAME, 0},
    {DialogControlKind::StaticText, IDC_STATIC, 40, 10, 119, 8, "SorvethWexlan1.4版", 0, DLG_GROUP | DLG_NOPREFIX},
    {DialogControlKind::StaticText, IDC_STATIC, 41, 26, 156, 30,
     "SorvethWexlan 棋谱记录与打谱程序。\n本版本为 2026 年在 Qt 上的重新实现。", 0, DLG_GROUP | DLG_WORDWRAP},
    {DialogControlKind::PushButton, IDOK, 178, 7, 50, 14, "确定", 0, DLG_GROUP | DLG_TABSTOP | DLG_DEFAULT},
};

inline constexpr DialogDef ABOUT_DIALOG{"关于SorvethWexlan", "宋体", 9, 235, 70, ABOUT_DIALOG_CONTROLS};
