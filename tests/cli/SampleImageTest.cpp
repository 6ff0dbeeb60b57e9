#include "catalogue/FitCheck.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/TextReferences.h"
#include "cli/SampleFont.h"
#include "cli/SampleImage.h"
#include "text/CharacterTable.h"
#include "text/GameFont.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "rom/RomIdentity.h"
#include "support/TestImage.h"
#include "text/TextDecoder.h"
#include "text/TextEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class SampleImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestImage image(0);
        image.data() = buildSampleImage(false);
        ASSERT_TRUE(rom.open(image.writeTo(dir.file("sample.smc")).string()));
        loadDictionary(rom);
    }
    TempDir dir;
    RomFile rom;
    TextCatalogue catalogue;
};

TEST_F(SampleImageTest, IsAnAcceptedImageWithRealisticPointerRows)
{
    EXPECT_EQ(identifyRom(rom), RomType::EarthBound);
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    ASSERT_GT(catalogue.count, 1300);
    int editable = 0;
    int withNameCodes = 0;
    for (int i = 0; i < catalogue.count; ++i) {
        const TextEntry& e = catalogue.rows[static_cast<std::size_t>(i)];
        editable += e.spriteNumber != 0 && e.movementNumber != 0;
        EXPECT_LE(e.spriteNumber, 463);
        const DecodedText d = decodeText(rom, snesToFileOffset(static_cast<std::uint32_t>(e.snesAddress)), true);
        EXPECT_LT(d.size, 200) << "row " << i;
        withNameCodes += d.text.find("[1C 02") != std::string::npos;
    }
    EXPECT_GT(editable, catalogue.count * 3 / 4);
    EXPECT_GT(withNameCodes, 0);
}

TEST_F(SampleImageTest, EveryRawRangeHoldsWholeDialogueBlocks)
{
    fillCatalogue(catalogue, rom, ListingSource::RawText);
    EXPECT_GT(catalogue.count, 1000);
    EXPECT_LT(catalogue.count, CatalogueCapacity);
    int dictionaryStrings = 0;
    for (int i = 0; i < catalogue.count; ++i) {
        const auto offset = snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(i)].snesAddress));
        const DecodedText d = decodeText(rom, offset, true);
        ASSERT_LT(d.size, 300) << "row " << i << " runs on";
        dictionaryStrings += d.text.find("Mr. ") != std::string::npos;
        // No block runs past the end bound of its range.
        for (const TextRange& range : RawTextRanges) {
            if (offset >= range.start && offset < range.endBound) {
                EXPECT_LE(offset + d.size, range.endBound) << "row " << i;
            }
        }
    }
    EXPECT_GT(dictionaryStrings, 0);
}

TEST_F(SampleImageTest, IsWrittenForAWindowThatWrapsWithOnlyThePlantedFaults)
{
    const LayoutSetup setup = readLayoutSetup(rom);
    EXPECT_EQ(setup.width, 136);
    const auto zzz = encodeText("@Zzz... Zzz...");
    const TextLayout layout = layOutText(zzz, textItems(zzz, CodeGrouping::Classic), setup);
    EXPECT_EQ(layout.items.back().x + layout.items.back().advance, 72) << "its width as the game measures it";

    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    const auto found = checkFit(rom, catalogue, setup, CodeGrouping::Classic, true);
    ASSERT_EQ(found.size(), 2u) << "the two planted words, and no text that scrolls away";
    EXPECT_EQ(found[0].row, 7);
    EXPECT_EQ(found[0].detail, "Zoooooooooooooooooooom! (179 px, room 130 px)") << "in Mr. Saturn's font";
    EXPECT_EQ(found[1].row, 12);
    EXPECT_EQ(found[1].detail, "Antidisestablishment! (134 px, room 130 px)") << "fits from 0, drawn 6 in";
    EXPECT_EQ(checkFit(rom, catalogue, setup, CodeGrouping::Game).size(), 2u);

    // Jumps and calls between its lines, for Go to target and References.
    TextCatalogue raw;
    fillCatalogue(raw, rom, ListingSource::RawText);
    const auto references = findReferences(rom, raw, static_cast<std::uint32_t>(raw.rows[2].snesAddress), CodeGrouping::Classic);
    ASSERT_EQ(references.codes.size(), 1u);
    EXPECT_EQ(references.codes[0].row, 19);
}

TEST(SampleImageExpanded, EndsAt0x400200WithTheMainFontMovedInFrontOfItsFillerBlocks)
{
    const auto image = buildSampleImage(true);
    ASSERT_EQ(image.size(), 0x400200u);
    const std::size_t afterFont = 0x300200 + 17 * 256;
    EXPECT_EQ(image[afterFont + 255], 0x02);
    EXPECT_EQ(image[0x400200 - 1], 0x02);
    // The same image as the unexpanded one but for the main font's entry of the font table.
    const auto plain = buildSampleImage(false);
    const auto entry = static_cast<std::ptrdiff_t>(snesToFileOffset(FontTableAddress));
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + entry, image.begin()));
    EXPECT_TRUE(std::equal(plain.begin() + entry + 8, plain.end(), image.begin() + entry + 8));

    TempDir dir;
    TestImage written(0);
    written.data() = image;
    RomFile rom;
    ASSERT_TRUE(rom.open(written.writeTo(dir.file("sample.smc")).string()));
    ASSERT_EQ(fontEntry(rom, FontKind::Main), FontEntry::Moved);
    EXPECT_EQ(fontEntry(rom, FontKind::Saturn), FontEntry::Original);
    const GameFont moved = readGameFont(rom);
    RomFile small;
    TestImage unexpanded(0);
    unexpanded.data() = plain;
    ASSERT_TRUE(small.open(unexpanded.writeTo(dir.file("small.smc")).string()));
    const GameFont original = readGameFont(small);
    for (int g = 0; g < 96; ++g) {
        EXPECT_EQ(moved.glyphs[static_cast<std::size_t>(g)], original.glyphs[static_cast<std::size_t>(g)]) << g;
        EXPECT_EQ(moved.widths[static_cast<std::size_t>(g)], original.widths[static_cast<std::size_t>(g)]) << g;
    }
    // Its table's twelve letters are drawn from B0 on; the slots after them are blank.
    const TableParse table = parseCharacterTable(sampleCharacterTable());
    ASSERT_TRUE(table.table);
    EXPECT_EQ(table.table->entryCount(), 12);
    for (int b = 0xB0; b <= 0xCF; ++b) {
        const bool drawn = std::any_of(moved.glyphs[static_cast<std::size_t>(b - 0x50)].begin(),
            moved.glyphs[static_cast<std::size_t>(b - 0x50)].end(), [](std::uint8_t row) { return row != 0; });
        EXPECT_EQ(drawn, table.table->has(b)) << std::hex << b;
        EXPECT_EQ(moved.width(b) > 0, table.table->has(b)) << std::hex << b;
    }
    // The expanded listing starts after the font; no row lies inside it.
    TextCatalogue catalogue;
    fillCatalogue(catalogue, rom, ListingSource::ExpandedRom);
    ASSERT_GT(catalogue.count, 0);
    EXPECT_EQ(snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[0].snesAddress)), static_cast<std::int32_t>(afterFont));
}

TEST(SampleImageText, ReadsThroughItsTableAsSpanish)
{
    const auto image = buildSampleImage(true);
    TempDir dir;
    TestImage written(0);
    written.data() = image;
    RomFile rom;
    ASSERT_TRUE(rom.open(written.writeTo(dir.file("sample.smc")).string()));
    loadDictionary(rom);
    TextCatalogue catalogue;
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    const auto row2 = snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[1].snesAddress));
    EXPECT_EQ(decodeText(rom, row2, true).text, "@[B8]Qu[B1] tal, [1C 02 01]?[03 00]@[B9]Ma[B5]ana vamos a Onett![13 02]");
    currentCharacterTable() = std::move(*parseCharacterTable(sampleCharacterTable()).table);
    EXPECT_EQ(decodeText(rom, row2, true).text, "@¿Qué tal, [1C 02 01]?[03 00]@¡Mañana vamos a Onett![13 02]");
    currentCharacterTable() = CharacterTable{};
}

} // namespace
