#pragma once

#include "rom/RomFile.h"

#include <array>
#include <cstdint>
#include <optional>

namespace scrivlet {

// Where the game keeps its main font and its window sizes (SNES addresses).
inline constexpr std::uint32_t FontWidthsAddress = 0xE10C7A;
inline constexpr std::uint32_t FontGlyphsAddress = 0xE10CDA;
inline constexpr std::uint32_t WindowTableAddress = 0xC3E250;
inline constexpr int FontGlyphCount = 96; // glyph i is game byte 0x50 + i
inline constexpr int GlyphBytes = 32;
inline constexpr int GlyphSize = 16; // pixels across and down
inline constexpr int TileSize = 8;
inline constexpr int DialogueWindowEntry = 1;
inline constexpr int FallbackLineLimit = 136; // the game's dialogue window: 17 tiles of text
inline constexpr int FallbackWindowLines = 3;

// The main font as the image holds it; bytes past the end of the file read as 0.
struct GameFont {
    std::array<std::uint8_t, FontGlyphCount> widths{};
    std::array<std::array<std::uint8_t, GlyphBytes>, FontGlyphCount> glyphs{};

    // Width in pixels of game byte `b` (0x50-0xAF; 0 for any other).
    int width(int b) const { return b >= 0x50 && b < 0x50 + FontGlyphCount ? widths[static_cast<std::size_t>(b - 0x50)] : 0; }
    // Whether pixel (x, y) of game byte `b`'s glyph is set. A glyph is two
    // strips 8 pixels wide, left first, each 16 rows of one byte, top down,
    // the high bit leftmost.
    bool pixel(int b, int x, int y) const;
    // The widest of A-Z (bytes 0x71-0x8A): what one character of a name inserted by a code may take.
    int widestCapital() const;
};

GameFont readGameFont(RomFile& rom);

// The dialogue window: entry 1 of the window table (x, y, width, height in
// 8-pixel tiles, 16-bit little-endian each); nullopt when the file has no such bytes.
struct WindowSize {
    int widthTiles = 0;
    int heightTiles = 0;
};
std::optional<WindowSize> readDialogueWindow(RomFile& rom);

// Pixels of text a line may take: `requested` when given, else the dialogue
// window's (width - 2) x 8, else 136 when its width is not 3-32 tiles.
int lineLimit(RomFile& rom, std::optional<int> requested = std::nullopt);
// Lines of text the window shows at once: (height - 2) / 2, else 3 when its height is not 4-32 tiles.
int windowLines(RomFile& rom);

} // namespace scrivlet
