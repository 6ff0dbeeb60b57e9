#include "SampleImage.h"

#include "SampleFont.h"
#include "text/GameFont.h"

#include "catalogue/TextCatalogue.h"
#include "catalogue/TptRecord.h"
#include "rom/RomAddress.h"
#include "rom/RomExpansion.h"
#include "rom/RomIdentity.h"
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

// Invented dialogue. [00] breaks a line, [03] waits for a button, [10 nn]
// pauses, [1C 02 nn] prints a character's name, [15 nn] is a dictionary string.
constexpr std::array<const char*, 24> Dialogue = {
    "@Hello, [1C 02 01]![03][00]@How are [15 02]feeling today?[13][02]",
    "@Welcome to [15 03].[10 0F] Our town [15 0F]small,[00]  but friendly.[03][02]",
    "@[15 04][15 05] says:[00]  \"Zoom boing, [15 02]are happy.\"[03][02]",
    "@The [15 10] fell last night.[10 1E] Did [15 02]hear it?[03][00]@It was loud![13][02]",
    "@I'm [15 0C]. Please bring me a [15 0B].[03][00]@Thanks a lot, [1C 02 01].[13][02]",
    "@You got the Cracked Bat![1C 05 07][03][02]",
    "@[1C 02 02]: Let's go to [15 07] together![03][02]",
    "@Shop is open. What would you like?[19 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00]",
    "@My dog ran off to the hill again.[00]  He always does [15 0D]when it rains.[03][02]",
    "@Hm? Nothing to see here.[10 05][02]",
    "@[15 06] Happy Village believes in blue.[03][00]@Blue, blue, blue![03][02]",
    "@Careful on the road, kiddo.[00]  The cars don't stop for anyone.[03][02]",
    "@Want to save your game?[1C 0C 01][03][02]",
    "@You found [1A 05] coins on the ground![03][02]",
    "@The door is locked.[13][02]",
    "@What's [15 01]secret password? Say it right,[00]  or you shall not pass.[03][02]",
    "@A [15 0B] for 20 dollars? What a deal![03][1F 02 05][02]",
    "@I've been waiting for you,[10 0A] [1C 02 01].[03][00]@Time to start your journey.[03][02]",
    "@The radio plays a tune you almost know.[1F 00 00 04][02]",
    "@Boing! Zoom! Ding![10 14][03][02]",
    "@Hey! Don't push in line![03][02]",
    "@This is the Drugstore.[00]  We sell a little of everything.[03][02]",
    "@Zzz... Zzz...[13][02]",
    "@Take this. It's dangerous to walk alone.[1C 05 11][03][02]",
};

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& image) : image_(image) {}
    void put(std::size_t offset, const std::vector<std::uint8_t>& bytes)
    {
        std::memcpy(image_.data() + offset, bytes.data(), bytes.size());
    }
    void putByte(std::size_t offset, int value) { image_[offset] = static_cast<std::uint8_t>(value); }

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
        if (line >= static_cast<int>(Dialogue.size()))
            text.insert(1, "(" + std::to_string(line) + ") ");
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

std::vector<std::uint8_t> buildSampleImage(bool expanded)
{
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
        const std::int32_t target = blocks[static_cast<std::size_t>(k) * blocks.size() / TptRecordCount];
        const std::uint32_t pointer = empty ? 0u : fileOffsetToSnes(target);
        const int sprite = 1 + static_cast<int>((seed >> 8) % TptSpriteMax);
        const int movement = k % 9 == 4 ? 0 : 1 + static_cast<int>((seed >> 16) % TptMovementMax);
        writer.put(r + TptRecord::SpriteNumberAt, {static_cast<std::uint8_t>(sprite & 0xFF), static_cast<std::uint8_t>(sprite >> 8)});
        writer.putByte(r + TptRecord::MovementNumberAt, movement);
        writer.put(r + TptRecord::TextPointerAt,
            {static_cast<std::uint8_t>(pointer), static_cast<std::uint8_t>(pointer >> 8),
                static_cast<std::uint8_t>(pointer >> 16), static_cast<std::uint8_t>(pointer >> 24)});
    }

    // The font and the dialogue window, where the game keeps them: the window
    // preview and the fit check measure with them.
    const SampleFont font = buildSampleFont();
    writer.put(static_cast<std::size_t>(snesToFileOffset(FontWidthsAddress)), font.widths);
    writer.put(static_cast<std::size_t>(snesToFileOffset(FontGlyphsAddress)), font.glyphs);
    const std::size_t window = static_cast<std::size_t>(snesToFileOffset(WindowTableAddress)) + DialogueWindowEntry * 8;
    writer.put(window, {0x0C, 0x00, 0x01, 0x00, 19, 0x00, 8, 0x00}); // at tile (12, 1), 19 x 8 tiles

    if (expanded) {
        image.resize(SampleImageSize + 0x100000, 0x00);
        for (std::size_t b = SampleImageSize; b < image.size(); b += FillerBlockSize)
            image[b + FillerBlockSize - 1] = 0x02;
    }
    return image;
}

} // namespace scrivlet
