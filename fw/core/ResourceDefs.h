// The shapes of a program's user-interface resources, as data: menu,
// accelerators, toolbar and dialog templates, and the set of them a program
// hands the framework. The framework's builders turn them into widgets; the
// program only fills the tables (no Qt here, so tables stay plain data).
#pragma once

#include <span>
#include <string_view>

// Menu item; nID 0 is a separator. "&" marks the mnemonic, "\t" starts the
// key name shown at the right edge.
struct MenuItemDef {
    unsigned nID;
    std::string_view text;
    bool bGrayed = false;  // shown gray whatever the command's state (the recent-file placeholder)
};

struct PopupMenuDef {
    std::string_view title;
    std::span<const MenuItemDef> items;
};

// Accelerator flags, as the classic accelerator resource has them.
enum AcceleratorFlags : unsigned {
    FVIRTKEY = 0x01,
    FNOINVERT = 0x02,
    FSHIFT = 0x04,
    FCONTROL = 0x08,
    FALT = 0x10,
};

struct AcceleratorDef {
    unsigned fVirt;      // AcceleratorFlags
    unsigned nVirtKey;   // Windows virtual-key code: 0x41..0x5A letters, 0x08 Backspace, 0x2D Insert, 0x2E Delete, 0x70.. F1..
    unsigned nID;
};

// Toolbar button; nID 0 is a separator. Buttons take the images of the strip
// in order, separators take none.
struct ToolbarButtonDef {
    unsigned nID;
};

// A toolbar: its buttons and the image strip they take their pictures from,
// one cell of cx by cy pixels per button.
struct ToolbarDef {
    std::string_view imagePath;  // a Qt resource path
    int cx = 0, cy = 0;
    std::span<const ToolbarButtonDef> buttons;
};

enum class DialogControlKind { StaticIcon, StaticText, PushButton };

// Control styles, as the dialog template has them.
enum DialogControlFlags : unsigned {
    DLG_GROUP = 0x01,     // starts a group
    DLG_TABSTOP = 0x02,
    DLG_NOPREFIX = 0x04,  // "&" is shown as it is, not as a mnemonic
    DLG_WORDWRAP = 0x08,  // left-aligned text wrapped over several lines
    DLG_DEFAULT = 0x10,   // the default push button (Enter)
};

// Positions and sizes are in dialog units, which the builder converts with
// the dialog font's average character size (a unit is a quarter of its width
// horizontally, an eighth of its height vertically).
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

// Everything of a program's resources the framework looks up: its strings
// and icons by id, and the main frame's menu, keys and toolbar.
struct CResourceSet {
    // The program's string nID; empty when it has none.
    std::string_view (*pfnLoadString)(unsigned nID) = nullptr;
    // The Qt resource path of the program's icon nID; empty when it has none.
    std::string_view (*pfnIconPath)(unsigned nID) = nullptr;
    std::span<const PopupMenuDef> menu;
    std::span<const AcceleratorDef> accelerators;
    ToolbarDef toolbar;

    // The program's string nID, or the framework's own text for an id the
    // program does not have; empty when neither has one.
    std::string_view LoadString(unsigned nID) const;
    std::string_view IconPath(unsigned nID) const { return pfnIconPath ? pfnIconPath(nID) : std::string_view(); }
};

// A command string is "prompt\ntooltip". The prompt is shown in the status
// bar while the command's menu item or button is pointed at; it is the whole
// string when there is no newline.
std::string_view CommandPrompt(std::string_view strCommand);

// The tooltip of a command string: the field after the first newline, up to
// the next newline if there is one; empty when there is no newline.
std::string_view CommandTooltip(std::string_view strCommand);
