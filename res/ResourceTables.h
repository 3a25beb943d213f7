// The user-interface resources as data: menu, accelerators, toolbar, about
// box and version. One builder in the GUI layer turns them into widgets; no
// other code spells out a menu item, a key or a button.
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
    unsigned nVirtKey;   // Windows virtual-key code: 0x41..0x5A letters, 0x08 Backspace, 0x2D Insert, 0x2E Delete, 0x75 F6
    unsigned nID;
};

// Toolbar button; nID 0 is a separator. Buttons take the images of the strip
// in order, separators take none.
struct ToolbarButtonDef {
    unsigned nID;
};

std::span<const PopupMenuDef> MainMenu();
std::span<const AcceleratorDef> MainAccelerators();
std::span<const ToolbarButtonDef> MainToolbar();
inline constexpr int TOOLBAR_IMAGE_WIDTH = 16;
inline constexpr int TOOLBAR_IMAGE_HEIGHT = 15;
