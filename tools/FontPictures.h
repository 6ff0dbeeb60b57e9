#pragma once

#include "text/GameFont.h"
#include "ui/Window.h"

#include <array>
#include <cstdint>

namespace scrivlet {

// The font window's pictures: every glyph at twice its size in a grid, 16 to
// a row, each with its byte beneath; and one glyph's pixels large, with the
// line its width ends at.
namespace fontview {
inline constexpr int Columns = 16;
inline constexpr int GlyphScale = 2;
inline constexpr int CellWidth = GlyphSize * GlyphScale + 2;  // the glyph and a grid line
inline constexpr int CellHeight = GlyphSize * GlyphScale + 12; // and the byte beneath it
inline constexpr int PixelSize = 10;                          // one glyph pixel in the large picture
inline constexpr int LargeSize = GlyphSize * PixelSize + 1;
} // namespace fontview

// The grid of the first `glyphs` glyphs; `chosen` framed.
ui::PixelImage fontGridPicture(const GameFont& font, int glyphs, int chosen);
// The glyph whose cell holds pixel (x, y) of the grid; -1 for none.
int glyphAtGridPixel(int x, int y);

// One glyph large: ink black on white, a grey grid, a red line where its width ends.
ui::PixelImage largeGlyphPicture(const GlyphBits& glyph, int width);

} // namespace scrivlet
