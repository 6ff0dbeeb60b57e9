#pragma once

#include "CompressionDictionary.h"
#include "GameFont.h"
#include "InsertedNames.h"
#include "TextItems.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace scrivlet {

// What the game lays dialogue out with: its two dialogue fonts, the names
// codes print, and the window's text area.
struct LayoutSetup {
    GameFont main;
    GameFont saturn;
    InsertedNames names;
    int width = FallbackLineLimit; // pixels of text a line may take
    int lines = FallbackWindowLines; // lines the window shows at once
    int windowEntry = DialogueWindowEntry;
};

// Reads the fonts and names of the image and window `entry` (its width
// replaced by `width` when given).
LayoutSetup readLayoutSetup(RomFile& rom, int entry = DialogueWindowEntry, std::optional<int> width = std::nullopt);
// Lays text out in window `entry` from now on, fonts and names as they were read.
void chooseLayoutWindow(LayoutSetup& setup, RomFile& rom, int entry, std::optional<int> width = std::nullopt);

// One thing the window draws, where it draws it.
struct LaidItem {
    enum class Kind { Glyph, Tile, Name };
    Kind kind = Kind::Glyph;
    int source = 0;  // index of the text item it comes from
    int line = 0;    // after wrapping, from 0
    int x = 0;       // pixels of its line before it
    int advance = 0; // how far the pen moved past it
    int ink = 0;     // pixels of ink from x (a glyph's width byte, a tile's 8, a name's room less its gap)
    int byte = 0;    // the printed byte (a glyph or tile)
    FontKind font = FontKind::Main;
    bool cut = false;     // where the window cuts its word: ink past the edge, or broken off to a later line
    bool cutWord = false; // a letter of a word, or a name, that the window cuts
};

// A word, or an inserted name, whose ink passes the window's edge where the
// game draws it (or that the game breaks over two lines).
struct CutWord {
    int line = 0;          // where it starts, from 0
    std::string text;      // as display text; a name by its code, "[1C 02 01]"
    int width = 0;         // its ink, in pixels
    int room = 0;          // from where it starts to the edge
    bool bound = false;    // a name the image does not hold, measured by its longest length
    int firstItem = 0;     // the text items it spans, [firstItem, endItem)
    int endItem = 0;
};

// More lines between two waits than the window shows: the first ones scroll
// away before the player has read them.
struct ScrollAway {
    int firstLine = 0; // the first line that scrolls away, from 0
    int lines = 0;     // lines written between the two waits
};

// A wait (03, 13, 14) or the block's end: the page the player reads there.
struct LayoutStop {
    int laidEnd = 0;   // the laid items drawn by then
    int lastLine = 0;  // the last line with something on it; the page ends there
    int byteOffset = 0; // of the code that stops (the end of the bytes for the end)
    bool waits = false;
    int x = 0;         // where the pen stood
    int line = 0;
};

struct TextLayout {
    std::vector<LaidItem> items;
    std::vector<CutWord> cuts;
    std::vector<ScrollAway> scrolls;
    std::vector<LayoutStop> stops; // never empty
    int lineCount = 1;
};

// Lays out `items` of `bytes` as the game's window does: word wrap at the
// window's width with the 1-pixel gap, wrapped lines 6 pixels in (0 before @),
// dictionary strings letter by letter, names measured where they are printed,
// the Mr. Saturn font between 1F 31 and 1F 30, and the window scrolling.
TextLayout layOutText(std::span<const std::uint8_t> bytes, std::span<const TextItem> items, const LayoutSetup& setup,
    const CompressionDictionary& dictionary = compressionDictionary());

} // namespace scrivlet
