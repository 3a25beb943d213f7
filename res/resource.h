// Resource and command ids. The numbers are the classic ones: the program's
// own commands from 32771 on, the framework's standard commands and strings
// from 57344 on. A command's string-table entry carries the command's id.
#pragma once

// Resources
inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr unsigned IDR_MAINFRAME = 128;   // menu, accelerators, toolbar, main icon, document string
inline constexpr unsigned IDR_CLIENTTYPE = 129;  // document icon; nothing shows it
inline constexpr unsigned IDB_BOARD = 130;
inline constexpr unsigned IDB_FLOWER = 131;
inline constexpr unsigned IDB_STONE_MASK = 132;
inline constexpr unsigned IDB_WHITE = 133;
inline constexpr unsigned IDB_BLACK = 134;

// Dialog controls
inline constexpr int IDC_STATIC = -1;
inline constexpr int IDOK = 1;

// A separator in the menu and toolbar tables.
inline constexpr unsigned ID_SEPARATOR = 0;

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

// Framework commands the program offers
inline constexpr unsigned ID_FILE_NEW = 57600;
inline constexpr unsigned ID_FILE_OPEN = 57601;
inline constexpr unsigned ID_FILE_SAVE = 57603;
inline constexpr unsigned ID_FILE_SAVE_AS = 57604;
inline constexpr unsigned ID_FILE_PRINT_SETUP = 57606;
inline constexpr unsigned ID_FILE_PRINT = 57607;
inline constexpr unsigned ID_FILE_PRINT_DIRECT = 57608;  // sent by a print start from the command line
inline constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;

// Recent files: the menu shows at most four; the string table covers the
// framework's whole range of sixteen.
inline constexpr unsigned ID_FILE_MRU_FIRST = 57616;
inline constexpr unsigned ID_FILE_MRU_FILE1 = 57616;
inline constexpr unsigned ID_FILE_MRU_FILE2 = 57617;
inline constexpr unsigned ID_FILE_MRU_FILE3 = 57618;
inline constexpr unsigned ID_FILE_MRU_FILE4 = 57619;
inline constexpr unsigned ID_FILE_MRU_LAST = 57631;

// Edit commands: on the menu, the toolbar and the keys, but nobody handles
// them, so they are always gray.
inline constexpr unsigned ID_EDIT_COPY = 57634;
inline constexpr unsigned ID_EDIT_CUT = 57635;
inline constexpr unsigned ID_EDIT_PASTE = 57637;
inline constexpr unsigned ID_EDIT_UNDO = 57643;

inline constexpr unsigned ID_APP_ABOUT = 57664;
inline constexpr unsigned ID_APP_EXIT = 57665;

// Pane switching (F6, Shift+F6): the frame has no panes to switch.
inline constexpr unsigned ID_NEXT_PANE = 57680;
inline constexpr unsigned ID_PREV_PANE = 57681;

// Status-bar indicators
inline constexpr unsigned ID_INDICATOR_CAPS = 59137;
inline constexpr unsigned ID_INDICATOR_NUM = 59138;
inline constexpr unsigned ID_INDICATOR_SCRL = 59139;

// Bar toggles of the View menu
inline constexpr unsigned ID_VIEW_TOOLBAR = 59392;
inline constexpr unsigned ID_VIEW_STATUS_BAR = 59393;

// Framework strings
inline constexpr unsigned AFX_IDS_APP_TITLE = 57344;    // "Client": message-box caption and settings key
inline constexpr unsigned AFX_IDS_IDLEMESSAGE = 57345;  // "就绪": status bar at rest
