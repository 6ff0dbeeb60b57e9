#pragma once

#include "GameFont.h"
#include "GamePreview.h"

#include <optional>
#include <string>
#include <string_view>

namespace scrivlet {

// A font as one picture, 16 glyphs to a row: glyph k's 16 x 16 pixels at
// (1 + 17 (k mod 16), 1 + 17 (k div 16)), one-pixel grid lines of light grey
// between and around the cells, ink black on white. Its widths go beside it
// as text, a line "BYTE<TAB>WIDTH" per glyph (BYTE two hex digits, 50 for glyph 0).
namespace sheet {
inline constexpr int Columns = 16;
inline constexpr int Cell = GlyphSize + 1;
inline constexpr std::uint32_t Grid = 0xFFC0C0C0;
inline constexpr std::uint32_t Paper = 0xFFFFFFFF;
inline constexpr std::uint32_t Ink = 0xFF000000;
inline int width() { return Columns * Cell + 1; }
inline int height(int glyphs) { return (glyphs + Columns - 1) / Columns * Cell + 1; }
} // namespace sheet

Picture fontSheet(const GameFont& font, int glyphs);
std::string fontWidthsText(const GameFont& font, int glyphs);

// The first `glyphs` glyphs of `font` replaced by a sheet's cells (a pixel
// darker than middle grey is ink); the refusal says why a picture of another
// size cannot be one.
struct SheetRead {
    std::optional<GameFont> font;
    std::string refusal;
};
SheetRead readFontSheet(const Picture& picture, int glyphs, GameFont font);

// The widths of a widths text put into `font`; a refusal ("line 3: ...")
// when a line is not BYTE<TAB>WIDTH for one of the first `glyphs` glyphs, a
// byte comes twice, or a glyph has no line.
std::string readFontWidths(std::string_view text, int glyphs, GameFont& font);

} // namespace scrivlet
