#pragma once

#include "rom/RomFile.h"
#include "text/GameFont.h"

#include <array>
#include <cstdint>
#include <string>

namespace scrivlet {

// Writes to a font of the image: a glyph and its width, the whole font (an
// import), or the font moved to the expanded area with room for 32 more.
// Each write lands whole or not at all, and only after the font's entry of
// the font table is found as the game has it, or as a move left it.
enum class FontChangeOutcome { Written, UnknownEntry, NoSuchGlyph, BadWidth, NotExpanded, AlreadyMoved, NoRoom, WriteFailed, ReadOnlyRom };

struct FontChange {
    FontChangeOutcome outcome = FontChangeOutcome::Written;
    WriteStatus write = WriteStatus::Written;
    std::uint32_t glyphs = 0; // where the font's glyphs now lie (a move)
};

// Glyph `glyph` (0-127; 96 and up only once the font was moved) and its width (0-16).
FontChange writeGlyph(RomFile& rom, FontKind kind, int glyph, const GlyphBits& bits, int width);

// The first `count` glyphs and widths of `font` (the font's room, 96 or 128).
// A width past 16 is taken only where the image already holds it.
FontChange writeWholeFont(RomFile& rom, FontKind kind, const GameFont& font, int count);

// Copies the 96 glyphs and widths to whole free blocks of the expanded area
// (the room moving text would take), with 32 blank glyphs of width 0 after
// them, and points the font's entry there.
FontChange moveFontForMoreLetters(RomFile& rom, FontKind kind);

// The words for a change that did not happen (empty when it was written).
std::string fontChangeMessage(const FontChange& change, FontKind kind);

const char* fontName(FontKind kind); // "main", "Mr. Saturn"

} // namespace scrivlet
