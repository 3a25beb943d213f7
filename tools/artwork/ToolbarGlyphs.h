// The toolbar's button pictures as pixel maps (characters of Palette.h),
// 16 x 15 pixels each, in button order.
#pragma once

#include <array>
#include <string_view>

namespace artwork {

inline constexpr int kToolbarButtons = 17;
inline constexpr int kGlyphWidth = 16;
inline constexpr int kGlyphHeight = 15;

using Glyph = std::array<std::string_view, kGlyphHeight>;

// New, Open, Save, Cut, Copy, Paste, Print, About, Go to start, Step back,
// Step forward, Go to end, Show last 10, Show all, (no command), Pass,
// Define bomb.
const std::array<Glyph, kToolbarButtons>& ToolbarGlyphs();

}  // namespace artwork
