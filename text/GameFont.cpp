#include "GameFont.h"

#include "rom/RomAddress.h"

#include <algorithm>

namespace scrivlet {

namespace {

int readAt(RomFile& rom, std::int32_t offset)
{
    if (!rom.seek(offset))
        return -1;
    return rom.readByte();
}

int readWord(RomFile& rom, std::int32_t offset)
{
    const int low = readAt(rom, offset);
    const int high = readAt(rom, offset + 1);
    return low < 0 || high < 0 ? -1 : low | high << 8;
}

} // namespace

bool GameFont::pixel(int b, int x, int y) const
{
    if (b < 0x50 || b >= 0x50 + FontGlyphCount || x < 0 || x >= GlyphSize || y < 0 || y >= GlyphSize)
        return false;
    const auto& glyph = glyphs[static_cast<std::size_t>(b - 0x50)];
    const std::uint8_t row = glyph[static_cast<std::size_t>((x / 8) * GlyphSize + y)];
    return (row >> (7 - x % 8)) & 1;
}

int GameFont::widestCapital() const
{
    int widest = 0;
    for (int b = 0x71; b <= 0x8A; ++b)
        widest = std::max(widest, width(b));
    return widest;
}

GameFont readGameFont(RomFile& rom)
{
    GameFont font;
    const std::int32_t widths = snesToFileOffset(FontWidthsAddress);
    const std::int32_t glyphs = snesToFileOffset(FontGlyphsAddress);
    for (int i = 0; i < FontGlyphCount; ++i) {
        font.widths[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::max(0, readAt(rom, widths + i)));
        for (int k = 0; k < GlyphBytes; ++k)
            font.glyphs[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)] =
                static_cast<std::uint8_t>(std::max(0, readAt(rom, glyphs + i * GlyphBytes + k)));
    }
    return font;
}

std::optional<WindowSize> readDialogueWindow(RomFile& rom)
{
    const std::int32_t entry = snesToFileOffset(WindowTableAddress) + DialogueWindowEntry * 8;
    const int width = readWord(rom, entry + 4);
    const int height = readWord(rom, entry + 6);
    if (width < 0 || height < 0)
        return std::nullopt;
    return WindowSize{width, height};
}

int lineLimit(RomFile& rom, std::optional<int> requested)
{
    if (requested)
        return *requested;
    const auto window = readDialogueWindow(rom);
    if (!window || window->widthTiles < 3 || window->widthTiles > 32)
        return FallbackLineLimit;
    return (window->widthTiles - 2) * TileSize;
}

int windowLines(RomFile& rom)
{
    const auto window = readDialogueWindow(rom);
    if (!window || window->heightTiles < 4 || window->heightTiles > 32)
        return FallbackWindowLines;
    return (window->heightTiles - 2) / 2;
}

} // namespace scrivlet
