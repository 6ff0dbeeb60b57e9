#include "text/FontSheet.h"

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

GameFont patterned()
{
    GameFont font;
    for (std::size_t k = 0; k < FontGlyphSlots; ++k) {
        font.widths[k] = static_cast<std::uint8_t>(k % 17);
        for (std::size_t b = 0; b < GlyphBytes; ++b)
            font.glyphs[k][b] = static_cast<std::uint8_t>(k * 31 + b * 7);
    }
    return font;
}

} // namespace

TEST(FontSheet, ASheetReadBackGivesTheGlyphsAndItsWidthsTextTheWidths)
{
    const GameFont font = patterned();
    for (int glyphs : {96, 128}) {
        const Picture sheet = fontSheet(font, glyphs);
        EXPECT_EQ(sheet.width, 273);
        EXPECT_EQ(sheet.height, glyphs == 96 ? 103 : 137);
        const SheetRead read = readFontSheet(sheet, glyphs, GameFont{});
        ASSERT_TRUE(read.font) << read.refusal;
        for (int k = 0; k < glyphs; ++k)
            EXPECT_EQ(read.font->glyphs[static_cast<std::size_t>(k)], font.glyphs[static_cast<std::size_t>(k)]) << k;
        GameFont widths;
        EXPECT_EQ(readFontWidths(fontWidthsText(font, glyphs), glyphs, widths), "");
        EXPECT_TRUE(std::equal(widths.widths.begin(), widths.widths.begin() + glyphs, font.widths.begin()));
    }
    // Glyph 1's pixel (0, 0): ink at (18, 1); a mid grey counts as paper, a darker one as ink.
    Picture sheet = fontSheet(GameFont{}, 96);
    sheet.pixels[static_cast<std::size_t>(1 * sheet.width + 18)] = 0xFF808080;
    EXPECT_EQ(readFontSheet(sheet, 96, GameFont{}).font->glyphs[1][0], 0x00);
    sheet.pixels[static_cast<std::size_t>(1 * sheet.width + 18)] = 0xFF7F7F7F;
    EXPECT_EQ(readFontSheet(sheet, 96, GameFont{}).font->glyphs[1][0], 0x80);
}

TEST(FontSheet, AWidthsTextIsRefusedWithItsLineAndLeavesTheFontAlone)
{
    GameFont font = patterned();
    const GameFont before = font;
    std::string text = fontWidthsText(font, 96);
    EXPECT_EQ(readFontWidths("50 4\n", 96, font), "line 1: \"50 4\" is not a byte, a tab and a width, such as \"50\t4\"");
    EXPECT_EQ(readFontWidths("50\t4\nB0\t3\n", 96, font), "line 2: byte B0 is not one of the font's 96 glyphs (50 to AF)");
    EXPECT_EQ(readFontWidths("\n\n50\t300\n", 96, font), "line 3: the width 300 is more than a byte holds");
    EXPECT_EQ(readFontWidths(text.substr(0, text.rfind("AF\t")), 96, font), "byte AF has no line; every glyph's width is given");
    EXPECT_EQ(font.widths, before.widths);
    EXPECT_EQ(readFontWidths("4F\t1\n", 96, font).substr(0, 15), "line 1: byte 4F");
}

#include "edit/FontChanges.h"
#include "rom/RomAddress.h"
#include "support/TestImage.h"

TEST(FontChanges, NothingIsWrittenToAFontWhoseEntryIsUnknownOrPastItsRoom)
{
    using namespace scrivlet::testing;
    TempDir dir;
    TestImage image(0x400200);
    const auto entry = static_cast<std::size_t>(snesToFileOffset(FontTableAddress));
    // The game's own entry, but 16 bytes a glyph: not a font Scrivlet knows the shape of.
    image.put(entry, {0x7A, 0x0C, 0xE1, 0x00, 0xDA, 0x0C, 0xE1, 0x00, 16, 0, 16, 0});
    const auto path = image.writeTo(dir.file("odd.smc")).string();
    RomFile rom;
    ASSERT_TRUE(rom.open(path));
    EXPECT_EQ(fontEntry(rom, FontKind::Main), FontEntry::Unknown);
    EXPECT_EQ(writeGlyph(rom, FontKind::Main, 1, {}, 4).outcome, FontChangeOutcome::UnknownEntry);
    EXPECT_EQ(moveFontForMoreLetters(rom, FontKind::Main).outcome, FontChangeOutcome::UnknownEntry);
    EXPECT_NE(fontChangeMessage({FontChangeOutcome::UnknownEntry}, FontKind::Main).find("$C3F054"), std::string::npos);

    // The game's shape: glyphs 96 and up lie past the font until it is moved; widths stop at 16.
    image.put(entry + 8, {32, 0});
    image.put(0x300200, std::vector<std::uint8_t>(0x100000, 0x11)); // no filler block left
    rom.close();
    ASSERT_TRUE(rom.open(image.writeTo(dir.file("full.smc")).string()));
    EXPECT_EQ(fontEntry(rom, FontKind::Main), FontEntry::Original);
    EXPECT_EQ(writeGlyph(rom, FontKind::Main, 96, {}, 4).outcome, FontChangeOutcome::NoSuchGlyph);
    EXPECT_EQ(writeGlyph(rom, FontKind::Main, 95, {}, 17).outcome, FontChangeOutcome::BadWidth);
    EXPECT_EQ(moveFontForMoreLetters(rom, FontKind::Main).outcome, FontChangeOutcome::NoRoom);
    EXPECT_EQ(readFile(dir.file("full.smc")), image.data()) << "nothing written by any refusal";
}
