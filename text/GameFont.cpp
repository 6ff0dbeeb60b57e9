#include "GameFont.h"

#include "rom/RomAddress.h"
#include "rom/RomExpansion.h"

#include <algorithm>

namespace scrivlet {

namespace {

int readAt(RomFile& rom, std::int64_t offset)
{
    if (!rom.seek(offset))
        return -1;
    return rom.readByte();
}

int readWord(RomFile& rom, std::int64_t offset)
{
    const int low = readAt(rom, offset);
    const int high = readAt(rom, offset + 1);
    return low < 0 || high < 0 ? -1 : low | high << 8;
}

std::int64_t readLong(RomFile& rom, std::int64_t offset)
{
    const int low = readWord(rom, offset);
    const int high = readWord(rom, offset + 2);
    return low < 0 || high < 0 ? -1 : static_cast<std::int64_t>(low) | static_cast<std::int64_t>(high) << 16;
}

bool inRomArea(std::int64_t address) { return address >= 0xC00000 && address <= 0xFFFFFF; }

} // namespace

bool GameFont::pixel(int b, int x, int y) const
{
    if (b < 0x20 || b > 0xFF || x < 0 || x >= GlyphSize || y < 0 || y >= GlyphSize)
        return false;
    return glyphPixel(glyphs[static_cast<std::size_t>(glyphOf(b))], x, y);
}

int GameFont::widestAdvance() const
{
    int widest = 0;
    for (int b = 0x51; b <= 0xAA; ++b)
        if (width(b) <= GlyphSize)
            widest = std::max(widest, advance(b));
    return widest;
}

FontPlace fontPlace(RomFile& rom, FontKind kind)
{
    const std::int64_t entry = snesToFileOffset(FontTableAddress) + static_cast<int>(kind) * FontTableEntrySize;
    const std::int64_t widths = readLong(rom, entry), glyphs = readLong(rom, entry + 4);
    if (inRomArea(widths) && inRomArea(glyphs) && readWord(rom, entry + 8) == GlyphBytes && readWord(rom, entry + 10) == GlyphSize)
        return {static_cast<std::uint32_t>(widths), static_cast<std::uint32_t>(glyphs), true};
    if (kind == FontKind::Saturn)
        return {SaturnFontWidthsAddress, SaturnFontGlyphsAddress, false};
    return {FontWidthsAddress, FontGlyphsAddress, false};
}

FontEntry fontEntry(RomFile& rom, FontKind kind)
{
    const FontPlace place = fontPlace(rom, kind);
    if (!place.fromTable)
        return FontEntry::Unknown;
    const bool saturn = kind == FontKind::Saturn;
    if (place.widths == (saturn ? SaturnFontWidthsAddress : FontWidthsAddress)
        && place.glyphs == (saturn ? SaturnFontGlyphsAddress : FontGlyphsAddress))
        return FontEntry::Original;
    const auto inExpandedArea = [&](std::uint32_t address, int bytes) {
        const std::int64_t at = snesToFileOffset(address);
        return at >= ExpandedAreaStart && at + bytes <= std::min<std::int64_t>(rom.size(), ExpandedAreaEnd);
    };
    if (inExpandedArea(place.glyphs, FontGlyphSlots * GlyphBytes) && inExpandedArea(place.widths, FontGlyphSlots))
        return FontEntry::Moved;
    return FontEntry::Unknown;
}

std::vector<FileRange> movedFontRooms(RomFile& rom)
{
    std::vector<FileRange> rooms;
    for (FontKind kind : {FontKind::Main, FontKind::Saturn}) {
        if (fontEntry(rom, kind) != FontEntry::Moved)
            continue;
        const FontPlace place = fontPlace(rom, kind);
        const std::int64_t glyphs = snesToFileOffset(place.glyphs), widths = snesToFileOffset(place.widths);
        const std::int64_t start = std::min(glyphs, widths);
        const std::int64_t end = std::max(glyphs + FontGlyphSlots * GlyphBytes, widths + FontGlyphSlots);
        // Out to whole blocks of the expanded area.
        const auto block = [](std::int64_t at) { return (at - ExpandedAreaStart) / ExpandedBlockSize; };
        rooms.push_back({ExpandedAreaStart + block(start) * ExpandedBlockSize,
            ExpandedAreaStart + (block(end - 1) + 1) * ExpandedBlockSize});
    }
    return rooms;
}

GameFont readGameFont(RomFile& rom, FontKind kind)
{
    GameFont font;
    const FontPlace place = fontPlace(rom, kind);
    const std::int64_t widths = snesToFileOffset(place.widths);
    const std::int64_t glyphs = snesToFileOffset(place.glyphs);
    for (int i = 0; i < FontGlyphSlots; ++i) {
        font.widths[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::max(0, readAt(rom, widths + i)));
        for (int k = 0; k < GlyphBytes; ++k)
            font.glyphs[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)] =
                static_cast<std::uint8_t>(std::max(0, readAt(rom, glyphs + i * GlyphBytes + k)));
    }
    return font;
}

std::optional<WindowSize> readWindow(RomFile& rom, int entry)
{
    if (entry < 0 || entry >= WindowEntryCount)
        return std::nullopt;
    const std::int64_t at = snesToFileOffset(WindowTableAddress) + entry * 8;
    const int width = readWord(rom, at + 4);
    const int height = readWord(rom, at + 6);
    if (width < 0 || height < 0)
        return std::nullopt;
    return WindowSize{width, height};
}

int lineLimit(RomFile& rom, std::optional<int> requested, int entry)
{
    if (requested)
        return *requested;
    const auto window = readWindow(rom, entry);
    if (!window || window->widthTiles < 3 || window->widthTiles > 32)
        return FallbackLineLimit;
    return (window->widthTiles - 2) * TileSize;
}

int windowLines(RomFile& rom, int entry)
{
    const auto window = readWindow(rom, entry);
    if (!window || window->heightTiles < 4 || window->heightTiles > 32)
        return FallbackWindowLines;
    return (window->heightTiles - 2) / 2;
}

} // namespace scrivlet
