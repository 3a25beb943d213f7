// The framework's own command, control and string ids: the standard commands
// (File, Edit, View, Help), the recent-file range, the status-bar indicators
// and the framework's strings. The numbers are the classic ones, from 57344
// on; a program's own ids stay below them. A command's string-table entry
// carries the command's id.
#pragma once

// Dialog controls
inline constexpr int IDC_STATIC = -1;
inline constexpr int IDOK = 1;

// A separator in the menu and toolbar tables, and the message pane in a
// status bar's indicator list.
inline constexpr unsigned ID_SEPARATOR = 0;

// File commands
inline constexpr unsigned ID_FILE_NEW = 57600;
inline constexpr unsigned ID_FILE_OPEN = 57601;
inline constexpr unsigned ID_FILE_SAVE = 57603;
inline constexpr unsigned ID_FILE_SAVE_AS = 57604;
inline constexpr unsigned ID_FILE_PRINT_SETUP = 57606;
inline constexpr unsigned ID_FILE_PRINT = 57607;
inline constexpr unsigned ID_FILE_PRINT_DIRECT = 57608;  // sent by a print start from the command line
inline constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;

// Recent files: the menu shows at most four; the framework's whole range is
// sixteen.
inline constexpr unsigned ID_FILE_MRU_FIRST = 57616;
inline constexpr unsigned ID_FILE_MRU_FILE1 = 57616;
inline constexpr unsigned ID_FILE_MRU_FILE2 = 57617;
inline constexpr unsigned ID_FILE_MRU_FILE3 = 57618;
inline constexpr unsigned ID_FILE_MRU_FILE4 = 57619;
inline constexpr unsigned ID_FILE_MRU_LAST = 57631;

// Edit commands
inline constexpr unsigned ID_EDIT_COPY = 57634;
inline constexpr unsigned ID_EDIT_CUT = 57635;
inline constexpr unsigned ID_EDIT_PASTE = 57637;
inline constexpr unsigned ID_EDIT_UNDO = 57643;

inline constexpr unsigned ID_APP_ABOUT = 57664;
inline constexpr unsigned ID_APP_EXIT = 57665;

// Pane switching (F6, Shift+F6)
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
inline constexpr unsigned AFX_IDS_APP_TITLE = 57344;    // message-box caption and settings key
inline constexpr unsigned AFX_IDS_IDLEMESSAGE = 57345;  // status bar at rest
