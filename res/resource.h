// Resource and command ids.
#pragma once

// Resources
inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr unsigned IDR_MAINFRAME = 128;
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
inline constexpr unsigned ID_PASS = 32785;
inline constexpr unsigned ID_SHOW_LAST10 = 32787;
inline constexpr unsigned ID_SHOW_ALL = 32790;

// Framework commands the program offers
inline constexpr unsigned ID_FILE_NEW = 57600;
inline constexpr unsigned ID_FILE_OPEN = 57601;
inline constexpr unsigned ID_FILE_SAVE = 57603;
inline constexpr unsigned ID_FILE_SAVE_AS = 57604;
