#include "SampleImage.h"

#include "SampleFont.h"
#include "text/GameFont.h"
#include "text/InsertedNames.h"

#include "catalogue/TextCatalogue.h"
#include "catalogue/TptRecord.h"
#include "rom/RomAddress.h"
#include "rom/RomExpansion.h"
#include "rom/RomIdentity.h"
#include "text/CharacterTable.h"
#include "text/CompressionDictionary.h"
#include "text/TextEncoder.h"

#include <array>
#include <cstring>
#include <string>

namespace scrivlet {

namespace {

// Dictionary strings of the demo; the rest of the 767 slots repeat short
// syllables. Slot n is referenced as [15 nn] (n < 256).
constexpr std::array<const char*, 16> DictionaryWords = {
    "the ", "you ", "Onett", "Mr. ", "Saturn", "Happy", "Twoson", "PSI ",
    "Ness", "Paula", "hamburger", "Mom", "that ", "and ", "is ", "Meteor"};

// Invented dialogue, written as a script is for the game's window that wraps
// its lines: no more than three lines between two waits. [00] breaks a line,
// [03] waits for a button, [10 nn] pauses, [1C 02 nn] prints a character's
// name, [1C 05 nn] an item's, [15 nn] is a dictionary string, [1F 31] and
// [1F 30] switch to Mr. Saturn's font and back. A group of EE bytes is the
// address of the block of the dialogue line JumpTargets names. Three lines
// are Spanish, written with the letters of the sample's character table.
constexpr std::array<const char*, 24> Dialogue = {
    "@Hello, [1C 02 01]![03][00]@How are [15 02]feeling today?[13][02]",
    "@Welcome to [15 03].[10 0F] Our town [15 0F]small.[03][00]@But friendly![03][02]",
    "@[15 04][15 05] says:[03][00][1F 31]@Zoom boing, [15 02]are happy.[1F 30][03][02]",
    "@The [15 10] fell last night.[03][00]@Did [15 02]hear it? It was loud![13][02]",
    "@¿Qué tal, [1C 02 01]?[03][00]@¡Mañana vamos a [15 03]![13][02]",
    "@You got the [1C 05 07]![03][02]",
    "@[1C 02 02]: Let's go to [15 07] together![03][02]",
    "@Shop is open. What would you like?[19 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00]",
    "@My dog ran off to the hill again.[03][00]@He always does [15 0D]when it rains.[03][02]",
    "@Hm? Nothing to see here.[10 05][02]",
    "@[15 06] Happy Village believes in blue.[03][00]@Blue, blue, blue![03][02]",
    "@Careful on the road, kiddo.[03][00]@The cars don't stop for anyone.[03][02]",
    "@Want to save your game?[1C 0C 01][03][02]",
    "@You found [1A 05] coins on the ground![03][02]",
    "@The door is locked.[13][02]",
    "@What's [15 01]secret password?[03][00]@Say it right, or you shall not pass.[03][02]",
    "@A [15 0B] for 20 dollars? What a deal![03][1F 02 05][02]",
    "@I've been waiting for you,[10 0A] [1C 02 01].[03][00]@Time to start your journey.[03][02]",
    "@La canción del ñandú suena en la radio.[1F 00 00 04][02]",
    "@Boing! Zoom! Ding![10 14][03][08 EE EE EE EE][02]",
    "@Hey! Don't push in line![03][0A EE EE EE EE][02]",
    "@La farmacia está abierta.[03][00]@¿Qué desea? Pingüino, açaí, voilà![03][02]",
    "@Zzz... Zzz...[13][02]",
    "@Take this. It's dangerous to go alone.[03][00]@You got the [1C 05 11].[03][02]",
};
// The dialogue line whose block the EE group names: line 19 calls Mr.
// Saturn's line, line 20 jumps to the locked door.
constexpr std::array<int, 24> JumpTargets = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 14, -1, -1, -1};

// Two blocks put in on purpose for the fit check to find, each at the block
// index given (the pointer table's record given points at it): a
// word wider than any line, in Mr. Saturn's font, and a word that fits a line
// by the game's measure but is drawn 6 pixels in, past the edge.
struct PlantedBlock {
    int block;
    int record;
    const char* text;
};
constexpr std::array<PlantedBlock, 2> Planted = {{
    {24, 7, "@[1F 31]Zoooooooooooooooooooom![1F 30] Boing![03][02]"},
    {25, 12, "@The sign reads: Antidisestablishment![03][02]"},
}};

// Names the item table holds for the dialogue's [1C 05 nn].
constexpr std::array<std::pair<int, const char*>, 3> ItemNames = {{{7, "Cracked Bat"}, {17, "Franklin Badge"}, {1, "Teddy Bear"}}};

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& image) : image_(image) {}
    void put(std::size_t offset, const std::vector<std::uint8_t>& bytes)
    {
        std::memcpy(image_.data() + offset, bytes.data(), bytes.size());
    }
    void putByte(std::size_t offset, int value) { image_[offset] = static_cast<std::uint8_t>(value); }
    // Four bytes, little-endian, as the game stores addresses.
    void putLong(std::size_t offset, std::uint32_t value)
    {
        put(offset, {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value >> 16),
                        static_cast<std::uint8_t>(value >> 24)});
    }

private:
    std::vector<std::uint8_t>& image_;
};

std::vector<std::uint8_t> dictionaryBytes()
{
    std::vector<std::uint8_t> out;
    for (int slot = 1; slot < DictionarySlotCount; ++slot) {
        std::string word = slot <= static_cast<int>(DictionaryWords.size())
            ? DictionaryWords[static_cast<std::size_t>(slot - 1)]
            : std::string("xy") + static_cast<char>('a' + slot % 26) + " ";
        for (char c : word)
            out.push_back(static_cast<std::uint8_t>(static_cast<unsigned char>(c) + CharacterOffset));
        out.push_back(0x00);
    }
    return out;
}

// Fills one raw range with dialogue blocks; returns their file offsets.
std::vector<std::int32_t> fillRange(Writer& writer, const TextRange& range, int& line)
{
    std::vector<std::int32_t> starts;
    std::int32_t offset = range.start;
    while (offset < range.endBound) {
        std::string text = Dialogue[static_cast<std::size_t>(line % Dialogue.size())];
        if (line >= static_cast<int>(Dialogue.size())) {
            text.insert(1, "(" + std::to_string(line) + ") ");
            // Only the first copy of a line jumps or calls, so each target has a reference or two.
            for (const char* jump : {"[08 EE EE EE EE]", "[0A EE EE EE EE]"})
                if (const auto at = text.find(jump); at != std::string::npos)
                    text.erase(at, std::string_view(jump).size());
        }
        for (const PlantedBlock& planted : Planted)
            if (planted.block == line)
                text = planted.text;
        std::vector<std::uint8_t> block = encodeText(text);
        // The range ends on a block boundary: the last block is padding of
        // argument-less codes, so no text runs into what follows the range.
        const std::size_t room = static_cast<std::size_t>(range.endBound - offset);
        if (block.size() > room) {
            block.assign(room, 0x00);
            block.back() = 0x02;
        }
        writer.put(static_cast<std::size_t>(offset), block);
        starts.push_back(offset);
        offset += static_cast<std::int32_t>(block.size());
        ++line;
    }
    return starts;
}

} // namespace

namespace {

// The sample's character table, in use while the sample's text is encoded.
class SampleTableInUse {
public:
    SampleTableInUse() : saved_(std::move(currentCharacterTable()))
    {
        currentCharacterTable() = std::move(*parseCharacterTable(sampleCharacterTable()).table);
    }
    ~SampleTableInUse() { currentCharacterTable() = std::move(saved_); }
    SampleTableInUse(const SampleTableInUse&) = delete;
    SampleTableInUse& operator=(const SampleTableInUse&) = delete;

private:
    CharacterTable saved_;
};

} // namespace

std::vector<std::uint8_t> buildSampleImage(bool expanded)
{
    const SampleTableInUse table;
    std::vector<std::uint8_t> image(SampleImageSize, 0x00);
    Writer writer(image);
    const char title[] = "EARTH BOUND (J)";
    for (int i = 0; i < HeaderTitleLength; ++i)
        writer.putByte(static_cast<std::size_t>(HeaderTitleOffset + i), title[i]);
    writer.put(DictionaryOffset, dictionaryBytes());

    std::vector<std::int32_t> blocks;
    int line = 0;
    for (const TextRange& range : RawTextRanges) {
        const auto starts = fillRange(writer, range, line);
        blocks.insert(blocks.end(), starts.begin(), starts.end());
    }

    // The jumps and calls between dialogue lines, aimed at the first block of each line.
    for (std::size_t k = 0; k < Dialogue.size(); ++k) {
        const int target = JumpTargets[k];
        if (target < 0)
            continue;
        const std::uint32_t address = fileOffsetToSnes(blocks[static_cast<std::size_t>(target)]);
        for (auto at = static_cast<std::size_t>(blocks[k]); at + 4 <= static_cast<std::size_t>(blocks[k + 1]); ++at)
            if (image[at] == 0xEE && image[at + 1] == 0xEE && image[at + 2] == 0xEE && image[at + 3] == 0xEE) {
                writer.putLong(at, address);
                break;
            }
    }

    // Every record points at a block, spread over all ranges; a few records are
    // left empty (pointer 0), and some have no movement so the editor is offered
    // only where both numbers are set.
    std::uint32_t seed = 0x5C7B1E7u;
    for (int k = 0; k < TptRecordCount; ++k) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t r = static_cast<std::size_t>(TptFirstRecord + TptRecordSize * k);
        for (int b = 0; b < TptRecordSize; ++b)
            writer.putByte(r + static_cast<std::size_t>(b), static_cast<int>((seed >> (b % 24)) & 0xFF));
        const bool empty = k % 97 == 96;
        std::int32_t target = blocks[static_cast<std::size_t>(k) * blocks.size() / TptRecordCount];
        for (const PlantedBlock& planted : Planted)
            if (planted.record == k)
                target = blocks[static_cast<std::size_t>(planted.block)];
        const std::uint32_t pointer = empty ? 0u : fileOffsetToSnes(target);
        const int sprite = 1 + static_cast<int>((seed >> 8) % TptSpriteMax);
        const int movement = k % 9 == 4 ? 0 : 1 + static_cast<int>((seed >> 16) % TptMovementMax);
        writer.put(r + TptRecord::SpriteNumberAt, {static_cast<std::uint8_t>(sprite & 0xFF), static_cast<std::uint8_t>(sprite >> 8)});
        writer.putByte(r + TptRecord::MovementNumberAt, movement);
        writer.putLong(r + TptRecord::TextPointerAt, pointer);
    }

    // The fonts, the names codes print and the dialogue window, where the game
    // keeps them: the preview and the fit check lay text out with them.
    const SampleFont font = buildSampleFont(), saturn = buildSampleSaturnFont();
    writer.put(static_cast<std::size_t>(snesToFileOffset(FontWidthsAddress)), font.widths);
    writer.put(static_cast<std::size_t>(snesToFileOffset(FontGlyphsAddress)), font.glyphs);
    writer.put(static_cast<std::size_t>(snesToFileOffset(SaturnFontWidthsAddress)), saturn.widths);
    writer.put(static_cast<std::size_t>(snesToFileOffset(SaturnFontGlyphsAddress)), saturn.glyphs);
    const auto fontEntry = [&](FontKind kind, std::uint32_t widths, std::uint32_t glyphs) {
        const std::size_t at = static_cast<std::size_t>(snesToFileOffset(FontTableAddress)) + static_cast<std::size_t>(kind) * FontTableEntrySize;
        writer.putLong(at, widths);
        writer.putLong(at + 4, glyphs);
        writer.put(at + 8, {GlyphBytes, 0x00, GlyphSize, 0x00});
    };
    fontEntry(FontKind::Main, FontWidthsAddress, FontGlyphsAddress);
    fontEntry(FontKind::Saturn, SaturnFontWidthsAddress, SaturnFontGlyphsAddress);
    for (const auto& [item, name] : ItemNames)
        writer.put(static_cast<std::size_t>(snesToFileOffset(ItemTableAddress)) + static_cast<std::size_t>(item) * ItemEntrySize,
            encodeText(name));
    const std::size_t window = static_cast<std::size_t>(snesToFileOffset(WindowTableAddress)) + DialogueWindowEntry * 8;
    writer.put(window, {0x0C, 0x00, 0x01, 0x00, 19, 0x00, 8, 0x00}); // at tile (12, 1), 19 x 8 tiles

    if (expanded) {
        image.resize(SampleImageSize + 0x100000, 0x00);
        for (std::size_t b = SampleImageSize; b < image.size(); b += FillerBlockSize)
            image[b + FillerBlockSize - 1] = 0x02;
        // The main font moved to the first blocks of the expanded area, as
        // Make room for 32 more letters moves one, with the extra letters drawn.
        const SampleFont font128 = buildSampleFont128();
        const auto glyphsAt = static_cast<std::size_t>(ExpandedAreaStart);
        const std::size_t widthsAt = glyphsAt + font128.glyphs.size();
        writer.put(glyphsAt, font128.glyphs);
        writer.put(widthsAt, font128.widths);
        fontEntry(FontKind::Main, fileOffsetToSnes(static_cast<std::int32_t>(widthsAt)), fileOffsetToSnes(static_cast<std::int32_t>(glyphsAt)));
    }
    return image;
}

} // namespace scrivlet
