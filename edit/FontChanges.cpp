#include "FontChanges.h"

#include "Messages.h"
#include "TextApply.h"
#include "TextRelocation.h"
#include "rom/RomAddress.h"
#include "rom/RomExpansion.h"

#include <cstdio>

namespace scrivlet {

namespace {

std::int64_t entryOffset(FontKind kind) { return snesToFileOffset(FontTableAddress) + static_cast<int>(kind) * FontTableEntrySize; }

std::vector<std::uint8_t> littleEndian(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value >> 16),
        static_cast<std::uint8_t>(value >> 24)};
}

FontChange written(RomFile& rom, const std::vector<ByteRun>& runs, std::uint32_t glyphs = 0)
{
    const WriteStatus status = rom.write(runs);
    if (status != WriteStatus::Written)
        return {FontChangeOutcome::WriteFailed, status, 0};
    return {FontChangeOutcome::Written, WriteStatus::Written, glyphs};
}

} // namespace

const char* fontName(FontKind kind) { return kind == FontKind::Saturn ? "Mr. Saturn" : "main"; }

FontChange writeGlyph(RomFile& rom, FontKind kind, int glyph, const GlyphBits& bits, int width)
{
    const FontEntry entry = fontEntry(rom, kind);
    if (entry == FontEntry::Unknown)
        return {FontChangeOutcome::UnknownEntry};
    if (glyph < 0 || glyph >= glyphRoom(entry))
        return {FontChangeOutcome::NoSuchGlyph};
    if (width < 0 || width > GlyphSize)
        return {FontChangeOutcome::BadWidth};
    const FontPlace place = fontPlace(rom, kind);
    return written(rom, {{snesToFileOffset(place.glyphs) + glyph * GlyphBytes, std::vector<std::uint8_t>(bits.begin(), bits.end())},
                            {snesToFileOffset(place.widths) + glyph, {static_cast<std::uint8_t>(width)}}});
}

FontChange writeWholeFont(RomFile& rom, FontKind kind, const GameFont& font, int count)
{
    const FontEntry entry = fontEntry(rom, kind);
    if (entry == FontEntry::Unknown)
        return {FontChangeOutcome::UnknownEntry};
    if (count != glyphRoom(entry))
        return {FontChangeOutcome::NoSuchGlyph};
    const GameFont now = readGameFont(rom, kind);
    for (int k = 0; k < count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (font.widths[i] > GlyphSize && font.widths[i] != now.widths[i])
            return {FontChangeOutcome::BadWidth};
    }
    const FontPlace place = fontPlace(rom, kind);
    std::vector<std::uint8_t> glyphs, widths(font.widths.begin(), font.widths.begin() + count);
    for (int k = 0; k < count; ++k)
        glyphs.insert(glyphs.end(), font.glyphs[static_cast<std::size_t>(k)].begin(), font.glyphs[static_cast<std::size_t>(k)].end());
    return written(rom, {{snesToFileOffset(place.glyphs), std::move(glyphs)}, {snesToFileOffset(place.widths), std::move(widths)}});
}

FontChange moveFontForMoreLetters(RomFile& rom, FontKind kind)
{
    const FontEntry entry = fontEntry(rom, kind);
    if (entry == FontEntry::Moved)
        return {FontChangeOutcome::AlreadyMoved};
    if (entry == FontEntry::Unknown)
        return {FontChangeOutcome::UnknownEntry};
    if (rom.size() < ExpandedRomSize)
        return {FontChangeOutcome::NotExpanded};
    const std::vector<bool> free = freeExpandedBlocks(rom);
    const std::size_t needed = (MovedFontBytes + ExpandedBlockSize - 1) / ExpandedBlockSize;
    std::size_t run = 0;
    for (std::size_t k = 0; k < free.size(); ++k) {
        run = free[k] ? run + 1 : 0;
        if (run < needed)
            continue;
        const std::int64_t start = ExpandedAreaStart + static_cast<std::int64_t>(k + 1 - needed) * ExpandedBlockSize;
        const GameFont font = readGameFont(rom, kind);
        std::vector<std::uint8_t> moved(static_cast<std::size_t>(MovedFontBytes), 0);
        for (int g = 0; g < FontGlyphCount; ++g) {
            const auto& glyph = font.glyphs[static_cast<std::size_t>(g)];
            std::copy(glyph.begin(), glyph.end(), moved.begin() + g * GlyphBytes);
            moved[static_cast<std::size_t>(FontGlyphSlots * GlyphBytes + g)] = font.widths[static_cast<std::size_t>(g)];
        }
        const auto glyphs = fileOffsetToSnes(static_cast<std::int32_t>(start));
        const auto widths = fileOffsetToSnes(static_cast<std::int32_t>(start + FontGlyphSlots * GlyphBytes));
        std::vector<std::uint8_t> pointers = littleEndian(widths);
        const std::vector<std::uint8_t> glyphPointer = littleEndian(glyphs);
        pointers.insert(pointers.end(), glyphPointer.begin(), glyphPointer.end());
        return written(rom, {{start, std::move(moved)}, {entryOffset(kind), std::move(pointers)}}, glyphs);
    }
    return {FontChangeOutcome::NoRoom};
}

std::string fontChangeMessage(const FontChange& change, FontKind kind)
{
    char text[512];
    const char* sentence = nullptr;
    switch (change.outcome) {
    case FontChangeOutcome::Written: return {};
    case FontChangeOutcome::UnknownEntry: sentence = messages::FontEntryUnknown; break;
    case FontChangeOutcome::NoSuchGlyph: sentence = messages::FontGlyphPastRoom; break;
    case FontChangeOutcome::BadWidth: sentence = messages::FontWidthRange; break;
    case FontChangeOutcome::NotExpanded: sentence = messages::FontNotExpanded; break;
    case FontChangeOutcome::AlreadyMoved: sentence = messages::FontAlreadyMoved; break;
    case FontChangeOutcome::NoRoom: sentence = messages::FontNoRoom; break;
    case FontChangeOutcome::WriteFailed: return writeStatusMessage(change.write);
    case FontChangeOutcome::ReadOnlyRom: return messages::RomReadOnly;
    }
    std::snprintf(text, sizeof text, sentence, fontName(kind));
    return text;
}

} // namespace scrivlet
