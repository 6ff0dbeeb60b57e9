#pragma once

#include "rom/RomFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace scrivlet {

// Where the game keeps its fonts and its window sizes (SNES addresses).
inline constexpr std::uint32_t FontTableAddress = 0xC3F054; // 5 entries of 12 bytes: main, Mr. Saturn, ...
inline constexpr int FontTableEntrySize = 12;
inline constexpr std::uint32_t FontWidthsAddress = 0xE10C7A;
inline constexpr std::uint32_t FontGlyphsAddress = 0xE10CDA;
inline constexpr std::uint32_t SaturnFontWidthsAddress = 0xE01359;
inline constexpr std::uint32_t SaturnFontGlyphsAddress = 0xE013B9;
inline constexpr std::uint32_t WindowTableAddress = 0xC3E250;
inline constexpr int FontGlyphCount = 96;  // the glyphs of an unmodified font: glyph i is game byte 0x50 + i
inline constexpr int FontGlyphSlots = 128; // glyphs a byte can name: (b - 0x50) & 0x7F
inline constexpr int GlyphBytes = 32;
inline constexpr int GlyphSize = 16; // pixels across and down
inline constexpr int TileSize = 8;
inline constexpr int GlyphGap = 1;      // the game adds it to every width byte, drawing and measuring
inline constexpr int WrapIndent = 6;    // where a line begun by wrapping starts
inline constexpr int DialogueWindowEntry = 1;
inline constexpr int WindowEntryCount = 256;      // entries code 18 01 XX can name
inline constexpr int FallbackLineLimit = 136;     // the game's dialogue window: 17 tiles of text
inline constexpr int FallbackWindowLines = 3;
inline constexpr int MaxLineLimit = 30 * TileSize; // the widest text area a window can have

enum class FontKind { Main = 0, Saturn = 1 };

// One glyph's bytes: two strips 8 pixels wide, left first, each 16 rows of
// one byte, top down, the high bit leftmost; a 1 bit is ink.
using GlyphBits = std::array<std::uint8_t, GlyphBytes>;
inline bool glyphPixel(const GlyphBits& glyph, int x, int y)
{
    return (glyph[static_cast<std::size_t>((x / TileSize) * GlyphSize + y)] >> (7 - x % TileSize)) & 1;
}
inline void setGlyphPixel(GlyphBits& glyph, int x, int y, bool ink)
{
    std::uint8_t& row = glyph[static_cast<std::size_t>((x / TileSize) * GlyphSize + y)];
    const auto bit = static_cast<std::uint8_t>(0x80 >> (x % TileSize));
    row = static_cast<std::uint8_t>(ink ? row | bit : row & ~bit);
}

// A font as the image holds it: 128 width bytes and glyphs, the last 32 read
// where the game reads them (past an unmodified font's 96: whatever follows).
// Bytes past the end of the file read as 0.
struct GameFont {
    std::array<std::uint8_t, FontGlyphSlots> widths{};
    std::array<GlyphBits, FontGlyphSlots> glyphs{};

    // The glyph printed byte `b` draws.
    static int glyphOf(int b) { return (b - 0x50) & 0x7F; }
    // 0x20, 0x22 and 0x2F are 8-pixel tiles of the window, not glyphs.
    static bool isTile(int b) { return b == 0x20 || b == 0x22 || b == 0x2F; }
    // The width byte of the glyph byte `b` draws (0 for a code byte below 0x20).
    int width(int b) const { return b >= 0x20 && b <= 0xFF ? widths[static_cast<std::size_t>(glyphOf(b))] : 0; }
    // How far the pen moves when `b` is drawn: a tile 8, a glyph its width and the gap.
    int advance(int b) const { return b < 0x20 || b > 0xFF ? 0 : isTile(b) ? TileSize : width(b) + GlyphGap; }
    // How far the game's word measure counts `b`: as drawn, but 0x20 and 0x22 through the width table.
    int measuredAdvance(int b) const { return b == 0x2F ? TileSize : b < 0x20 || b > 0xFF ? 0 : width(b) + GlyphGap; }
    // Pixels of ink from where `b` is drawn: a tile's 8, a glyph's width byte (the gap is blank).
    int ink(int b) const { return b < 0x20 || b > 0xFF ? 0 : isTile(b) ? TileSize : width(b); }
    // Whether pixel (x, y) of the glyph byte `b` draws is set.
    bool pixel(int b, int x, int y) const;
    // The widest advance among the letters and signs ('!' to 'z'): the room one
    // character of an unknown inserted name may take. A width byte past 16 (an
    // unused slot of some fonts) is no letter's and is left out.
    int widestAdvance() const;
};

// Where a font's widths and glyphs lie, from its entry of the font table when
// that entry has the game's shape (32 bytes a glyph, 16 rows, both addresses
// in the image's ROM area), else the game's own addresses.
struct FontPlace {
    std::uint32_t widths = 0;
    std::uint32_t glyphs = 0;
    bool fromTable = false;
};
FontPlace fontPlace(RomFile& rom, FontKind kind);
GameFont readGameFont(RomFile& rom, FontKind kind = FontKind::Main);

// What a font's entry of the font table holds, checked before any write to
// the font: the game's own place (96 glyphs), a place in the expanded area
// with room for 128, or anything else (then nothing is written).
enum class FontEntry { Original, Moved, Unknown };
FontEntry fontEntry(RomFile& rom, FontKind kind);
// The glyphs a font has room for where it lies: 128 once moved, else 96.
inline int glyphRoom(FontEntry entry) { return entry == FontEntry::Moved ? FontGlyphSlots : FontGlyphCount; }

// A moved font's place in the expanded area: its 128 glyphs, then its 128
// widths, from the start of a filler block.
inline constexpr int MovedFontBytes = FontGlyphSlots * GlyphBytes + FontGlyphSlots;
// The file bytes [start, end) of the whole filler blocks each moved font
// takes: no text is listed or moved there.
struct FileRange {
    std::int64_t start = 0, end = 0;
};
std::vector<FileRange> movedFontRooms(RomFile& rom);

// A window of the window table (x, y, width, height in 8-pixel tiles,
// 16-bit little-endian each); nullopt when the file has no such bytes.
struct WindowSize {
    int widthTiles = 0;
    int heightTiles = 0;
};
std::optional<WindowSize> readWindow(RomFile& rom, int entry = DialogueWindowEntry);

// Pixels of text a line of window `entry` may take: `requested` when given,
// else (width - 2) x 8, else 136 when its width is not 3-32 tiles.
int lineLimit(RomFile& rom, std::optional<int> requested = std::nullopt, int entry = DialogueWindowEntry);
// Lines of text window `entry` shows at once: (height - 2) / 2, else 3 when its height is not 4-32 tiles.
int windowLines(RomFile& rom, int entry = DialogueWindowEntry);

} // namespace scrivlet
