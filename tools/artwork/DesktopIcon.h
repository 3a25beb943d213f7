// The icon desktops show for the program in menus, launchers and file
// managers: the program's yellow square with a red "W" and a blue "X", drawn
// as vector shapes so that every size is drawn afresh rather than enlarged
// from the 32-pixel bitmap.
#pragma once

#include <QByteArray>
#include <QImage>

#include <array>

namespace artwork {

// The sizes of the PNG icons a desktop looks for in the hicolor theme.
inline constexpr std::array kDesktopIconSizes = {16, 24, 32, 48, 64, 128, 256};

// The icon as an SVG document: the scalable icon and the source of the PNGs.
QByteArray DesktopIconSvg();

// The SVG drawn at size x size pixels, with a transparent surround.
QImage DrawDesktopIcon(int size);

}  // namespace artwork
