// The program's resource and command ids, beside the framework's own
// (fw/core/FrameworkIds.h): the program's commands from 32771 on. A command's
// string-table entry carries the command's id.
//
// Of the framework's commands the program offers New, Open, Save, Save As,
// Print, Print Preview, Print Setup, the recent files, About and Exit. The
// Edit commands are on the menu, the toolbar and the keys, but nobody handles
// them, so they are always gray; F6 and Shift+F6 find no panes to switch.
#pragma once

#include "fw/core/FrameworkIds.h"

// Resources
inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr unsigned IDR_MAINFRAME = 128;   // menu, accelerators, toolbar, main icon, document string
inline constexpr unsigned IDR_CLIENTTYPE = 129;  // document icon; nothing shows it
inline constexpr unsigned IDB_BOARD = 130;
inline constexpr unsigned IDB_FLOWER = 131;
inline constexpr unsigned IDB_STONE_MASK = 132;
inline constexpr unsigned IDB_WHITE = 133;
inline constexpr unsigned IDB_BLACK = 134;

// The program's own commands
inline constexpr unsigned ID_DEFINE_BOMB = 32774;
inline constexpr unsigned ID_STEP_BACK = 32776;
inline constexpr unsigned ID_STEP_FORWARD = 32778;
inline constexpr unsigned ID_GO_TO_START = 32780;
inline constexpr unsigned ID_GO_TO_END = 32782;
inline constexpr unsigned ID_BUTTON32783 = 32783;  // toolbar button 15: no handler, no string, always gray
inline constexpr unsigned ID_PASS = 32785;
inline constexpr unsigned ID_SHOW_LAST10 = 32787;
inline constexpr unsigned ID_SHOW_ALL = 32790;
