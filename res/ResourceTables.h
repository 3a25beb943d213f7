// The user-interface resources as data: menu, accelerators and toolbar. The
// framework's builder turns them into widgets; no other code spells out a
// menu item, a key or a button.
#pragma once

#include "fw/core/ResourceDefs.h"

#include <span>

std::span<const PopupMenuDef> MainMenu();
std::span<const AcceleratorDef> MainAccelerators();
std::span<const ToolbarButtonDef> MainToolbar();
inline constexpr int TOOLBAR_IMAGE_WIDTH = 16;
inline constexpr int TOOLBAR_IMAGE_HEIGHT = 15;
