// Text laid out as the game's window lays it out: advances with the gap, word
// wrap, the indent, names, fonts, scrolling; the fonts and windows read from
// an image; the edit box's marks and the preview's pages.
#include "catalogue/FitCheck.h"
#include "support/TestImage.h"
#include "text/GamePreview.h"
#include "text/TextEncoder.h"
#include "text/TextFit.h"

#include <gtest/gtest.h>

#include <random>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

int glyphByte(char c) { return static_cast<unsigned char>(c) + CharacterOffset; }

// A window 80 pixels across and 3 lines down; every width byte 7 (advance 8)
// but the space (3), i (2) and W (11). Mr. Saturn's font: every width 10.
LayoutSetup testSetup()
{
    LayoutSetup setup;
    setup.main.widths.fill(7);
    setup.main.widths[static_cast<std::size_t>(GameFont::glyphOf(glyphByte(' ')))] = 3;
    setup.main.widths[static_cast<std::size_t>(GameFont::glyphOf(glyphByte('i')))] = 2;
    setup.main.widths[static_cast<std::size_t>(GameFont::glyphOf(glyphByte('W')))] = 11;
    setup.saturn.widths.fill(10);
    setup.width = 80;
    setup.lines = 3;
    return setup;
}

class Layout : public ::testing::Test {
protected:
    const TextLayout& layOut(std::string_view text)
    {
        bytes = encodeText(text);
        items = textItems(bytes, CodeGrouping::Classic);
        layout = layOutText(bytes, items, setup, dictionary);
        return layout;
    }
    // Where each drawn thing stands, as (line, x).
    std::vector<std::pair<int, int>> places() const
    {
        std::vector<std::pair<int, int>> at;
        for (const LaidItem& laid : layout.items)
            at.emplace_back(laid.line, laid.x);
        return at;
    }

    LayoutSetup setup = testSetup();
    CompressionDictionary dictionary;
    std::vector<std::uint8_t> bytes;
    std::vector<TextItem> items;
    TextLayout layout;
};

using Places = std::vector<std::pair<int, int>>;

TEST_F(Layout, EachGlyphAdvancesItsWidthAndTheGap)
{
    layOut("AiW A");
    EXPECT_EQ(places(), (Places{{0, 0}, {0, 8}, {0, 11}, {0, 23}, {0, 27}}));
    EXPECT_EQ(layout.items[2].advance, 12);
    EXPECT_EQ(layout.items[2].ink, 11) << "the gap after the last letter is blank";
    EXPECT_TRUE(layout.cuts.empty());
}

TEST_F(Layout, AWordThatWouldPassTheEdgeStartsANewLineSixPixelsIn)
{
    layOut("AAAA AAAAA"); // 32 + 4 + 40 = 76: fits
    EXPECT_EQ(layout.items.back().line, 0);
    layOut("AAAAA AAAAA"); // 40 + 4 + 40 = 84: the second word wraps
    EXPECT_EQ(layout.items[6].line, 1);
    EXPECT_EQ(layout.items[6].x, WrapIndent);
    EXPECT_TRUE(layout.cuts.empty());
    layOut("AAAAA @AAAA");
    EXPECT_EQ(layout.items[6].line, 1);
    EXPECT_EQ(layout.items[6].x, 0) << "a wrapped line that starts with @ is not indented";
    layOut("AAAAA[00]AAAAA");
    EXPECT_EQ(layout.items[5].x, 0) << "a line begun by 00 starts at 0";
    layOut("A[01][01]A");
    EXPECT_EQ(places(), (Places{{0, 0}, {1, 0}})) << "01 breaks only a line with text";
}

TEST_F(Layout, AWrappedLineDropsItsLeadingSpacesAndTheEdgeMovesThePen)
{
    layOut("AAAAAAAAA   B"); // 72, two spaces reach 80 exactly: the pen moves on
    ASSERT_EQ(layout.items.size(), 12u) << "the third space is dropped";
    EXPECT_EQ(layout.items.back().line, 1);
    EXPECT_EQ(layout.items.back().x, WrapIndent);
    layOut("AAAAAAAAAA[00]A"); // a line that reaches the edge exactly, then 00: a blank line
    EXPECT_EQ(layout.items.back().line, 2);
}

TEST_F(Layout, ACodeInAWordIsAPlaceToBreakAndADictionaryStringIsPartOfTheWord)
{
    layOut("AAAAAAA[10 05]AAAA"); // 56, then a word of 32 of its own
    EXPECT_EQ(layout.items[7].line, 1);
    EXPECT_EQ(layout.items[7].x, WrapIndent);

    dictionary.slots[1] = {'A', 'A', 'A', '\0'};
    layOut("AAAAA AAA[15 01]"); // the word is AAA and the string's AAA: 48 from 44
    ASSERT_EQ(layout.items.size(), 12u);
    EXPECT_EQ(layout.items[6].line, 1) << "the word's first letters wrap with the string";
    EXPECT_EQ(layout.items[9].line, 1);
    EXPECT_EQ(layout.items[9].x, WrapIndent + 24);
    EXPECT_EQ(layout.items[9].source, 9) << "drawn from the reference";
}

TEST_F(Layout, AWordWiderThanALineIsCutAsTheGameCutsIt)
{
    layOut("AAAAAAAAAAA"); // 88 pixels
    const Places expected{{1, 6}, {1, 14}, {1, 22}, {1, 30}, {1, 38}, {1, 46}, {1, 54}, {1, 62}, {1, 70}, {1, 78}, {2, 6}};
    EXPECT_EQ(places(), expected) << "a blank line first, then drawn to the edge and on, 6 pixels in";
    ASSERT_EQ(layout.cuts.size(), 1u);
    EXPECT_EQ(layout.cuts[0].line, 1);
    EXPECT_EQ(layout.cuts[0].text, "AAAAAAAAAAA");
    EXPECT_EQ(layout.cuts[0].width, 87);
    EXPECT_EQ(layout.cuts[0].room, 74);
    EXPECT_FALSE(layout.items[8].cut);
    EXPECT_TRUE(layout.items[9].cut) << "its ink passes the edge";
    EXPECT_TRUE(layout.items[10].cut) << "broken off to the next line";
    EXPECT_TRUE(layout.items[0].cutWord);

    layOut("AAA AAAAAAAAAA"); // a word of 80 wraps, then is drawn 6 in: ink to 85
    ASSERT_EQ(layout.cuts.size(), 1u);
    EXPECT_EQ(layout.cuts[0].room, 74);
    layOut("AAA AAAAAAAAAi"); // 75 from 6: only the last gap passes the edge
    EXPECT_TRUE(layout.cuts.empty()) << "no ink is lost";
}

TEST_F(Layout, TilesAreEightPixelsAndTheMeasureReadsTwoOfThemThroughTheWidths)
{
    setup.main.widths[static_cast<std::size_t>(GameFont::glyphOf(0x20))] = 2;
    layOut("AAAAAAAAA[2F]"); // 72 + 8: exactly the width
    EXPECT_EQ(layout.items.back().x, 72);
    EXPECT_EQ(layout.items.back().advance, 8);
    EXPECT_EQ(layout.items.back().kind, LaidItem::Kind::Tile);
    EXPECT_TRUE(layout.cuts.empty());
    layOut("AAAAAAAAA[20][20]"); // measured 72 + 3 + 3, drawn 72 + 8 + 8
    EXPECT_EQ(layout.items.back().line, 1);
    EXPECT_EQ(layout.cuts.size(), 1u) << "the game's measure let it pass the edge";
}

TEST_F(Layout, MrSaturnsFontRunsFromItsCodeToTheCodeBack)
{
    layOut("A[1F 31]AA[1F 30]A");
    EXPECT_EQ(places(), (Places{{0, 0}, {0, 8}, {0, 19}, {0, 30}}));
    EXPECT_EQ(layout.items[1].font, FontKind::Saturn);
    EXPECT_EQ(layout.items[3].font, FontKind::Main);
}

TEST_F(Layout, NamesAreMeasuredWhereTheyArePrinted)
{
    setup.names.items.resize(ItemCount);
    setup.names.items[3] = gameText("AA AA");
    layOut("AAAAAAA[1C 05 03]"); // 56 + 16 fits, the space, then 16 more would not
    ASSERT_EQ(layout.items.size(), 12u);
    EXPECT_EQ(layout.items[9].line, 0);
    EXPECT_EQ(layout.items[10].line, 1) << "an item's name wraps word by word";
    EXPECT_EQ(layout.items[10].x, WrapIndent);

    layOut("AAA[1C 02 01]"); // a party name: 5 x the widest advance (W: 12)
    ASSERT_EQ(layout.items.size(), 4u);
    EXPECT_EQ(layout.items[3].kind, LaidItem::Kind::Name);
    EXPECT_EQ(layout.items[3].advance, 60);
    EXPECT_EQ(layout.items[3].line, 1) << "24 + 60 would pass: a new line first";
    EXPECT_TRUE(layout.cuts.empty());
    layOut("[1C 02 07]");
    EXPECT_EQ(layout.items[0].advance, 72) << "King: 6 characters";
    layOut("[1C 0A 01]A");
    EXPECT_EQ(places(), (Places{{0, 0}})) << "a number is printed without a measure";

    setup.width = 56;
    layOut("[1C 02 01]"); // 60 would not fit: a new line, and from 6 the name's room passes the edge
    ASSERT_EQ(layout.cuts.size(), 1u);
    EXPECT_TRUE(layout.cuts[0].bound);
    EXPECT_EQ(layout.cuts[0].text, "[1C 02 01]");
    EXPECT_EQ(describeCut(layout.cuts[0]), "[1C 02 01] (up to 59 px, room 50 px)");
}

TEST_F(Layout, TheWindowScrollsBetweenWaitsAndEachWaitIsAPage)
{
    layOut("A[00]A[00]A[03][00]A[00]A[00]A[00]A[13]A[02]");
    ASSERT_EQ(layout.scrolls.size(), 1u);
    EXPECT_EQ(layout.scrolls[0].firstLine, 3);
    EXPECT_EQ(layout.scrolls[0].lines, 4);
    EXPECT_EQ(describeScroll(layout.scrolls[0], 3), "4 lines between waits, 3 shown");
    ASSERT_EQ(previewPageCount(layout), 3);
    EXPECT_EQ(layout.stops[1].lastLine, 6);
    EXPECT_TRUE(layout.stops[0].waits);
    EXPECT_FALSE(layout.stops[2].waits);
    EXPECT_EQ(previewPageOf(layout, 0), 0);
    EXPECT_EQ(previewPageOf(layout, static_cast<int>(bytes.size())), 2);
    layOut("A[03][02]");
    EXPECT_EQ(previewPageCount(layout), 1) << "nothing new at the end: no second page";
}

TEST_F(Layout, EveryLineFitsButWhereAWordIsCut)
{
    std::mt19937 random(27);
    const std::string pieces[] = {"A", "i", "W", " ", " ", "@", "[00]", "[03]", "[1C 02 01]", "[1F 31]", "[1F 30]", "[2F]"};
    setup.names.items.resize(ItemCount);
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 60);
        for (int k = 0; k < length; ++k)
            text += pieces[random() % std::size(pieces)];
        layOut(text);
        std::vector<int> reach(static_cast<std::size_t>(layout.lineCount + 1), 0);
        std::vector<bool> cutLine(reach.size(), false);
        for (const LaidItem& laid : layout.items) {
            reach[static_cast<std::size_t>(laid.line)] = std::max(reach[static_cast<std::size_t>(laid.line)], laid.x + laid.ink);
            if (laid.cut)
                cutLine[static_cast<std::size_t>(laid.line)] = true;
        }
        for (std::size_t line = 0; line < reach.size(); ++line)
            if (!cutLine[line]) {
                EXPECT_LE(reach[line], setup.width) << text << " line " << line;
            }
    }
}

TEST_F(Layout, TheEditBoxMarksThePartOfAWordTheWindowCuts)
{
    using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;
    setup.width = 80;
    EXPECT_EQ(cutRanges("AAAAA AAAAA AAAAA", setup, CodeGrouping::Classic), Ranges{}) << "long lines wrap, nothing is cut";
    EXPECT_EQ(cutRanges("B AAAAAAAAAAA", setup, CodeGrouping::Classic), (Ranges{{11, 13}}));
    setup.width = 64;
    EXPECT_EQ(cutRanges("A[1C 02 01]", setup, CodeGrouping::Classic), (Ranges{{2, 10}})) << "a name marks its whole group";
    EXPECT_EQ(cutRanges("AAAAAAAAAAAA[", setup, CodeGrouping::Classic), Ranges{}) << "a bracket error lays out nothing";
}

TEST_F(Layout, ThePreviewDrawsEachPageTheWayTheWindowShowsIt)
{
    setup.main.glyphs[static_cast<std::size_t>(GameFont::glyphOf(glyphByte('A')))][0] = 0xFF; // A: a bar along its top
    layOut("A[1C 02 01][03][00]AAAAAAAAAAA[02]");
    const Picture all = renderPreview(layout, setup);
    const int margin = preview::Margin * preview::Scale;
    const int pageHeight = (3 * 16 + 2 * preview::Margin) * preview::Scale;
    ASSERT_EQ(previewPageCount(layout), 2);
    EXPECT_EQ(all.width, (80 + 5 + 2 * preview::Margin) * preview::Scale) << "a strip for the ink past the edge";
    ASSERT_EQ(all.height, pageHeight * 2);
    EXPECT_EQ(all.at(margin, margin), preview::Ink) << "A's top-left pixel, twice the size";
    EXPECT_EQ(all.at(margin + 8 * 2, margin + 8 * 2), preview::Name) << "the name's room after A";
    EXPECT_EQ(all.at(margin + (8 + 60 + 3) * 2, margin + 8 * 2), preview::PageMark) << "the wait's mark";
    EXPECT_EQ(all.at(0, 0), preview::Frame);
    // The second page: the three lines up to the last, the first scrolled away.
    const int secondTop = pageHeight + margin;
    EXPECT_EQ(all.at(margin + 6 * 2, secondTop + 2 * 16 * 2), preview::WarningInk) << "the cut word in the warning colour";
    EXPECT_EQ(all.at(margin + 82 * 2, secondTop + 16 * 2 + 4), preview::Beyond);
    EXPECT_EQ(all.at(margin, secondTop), preview::Inside) << "the blank line the long word left";

    const Picture one = renderPreview(layout, setup, 1);
    EXPECT_EQ(one.height, pageHeight);
    EXPECT_EQ(one.at(margin + 6 * 2, margin + 2 * 16 * 2), preview::WarningInk) << "the page asked for alone";

    std::string pages;
    for (int k = 0; k < 100; ++k)
        pages += "A[03]";
    layOut(pages);
    EXPECT_EQ(renderPreview(layout, setup).height, pageHeight * preview::MostPages) << "at most 64 pages";
}

class LayoutFromImage : public ::testing::Test {
protected:
    RomFile& openImage(const TestImage& image)
    {
        rom.close();
        EXPECT_TRUE(rom.open(image.writeTo(dir.file("font.smc")).string(), RomFile::Access::ReadOnly));
        return rom;
    }
    TempDir dir;
    RomFile rom;
};

TEST_F(LayoutFromImage, FontsAreFoundThroughTheFontTableOrWhereTheGameKeepsThem)
{
    TestImage image = fontImage();
    const GameFont fixed = readGameFont(openImage(image));
    EXPECT_EQ(fixed.width(glyphByte('A')), 8);
    EXPECT_EQ(fixed.advance(glyphByte('A')), 9);
    EXPECT_EQ(fixed.width(0x50 + 96), 0) << "past an unmodified font: what follows it";
    EXPECT_EQ(fixed.width(0xD1), fixed.width(0x51)) << "D0-FF print what 50-7F print";
    EXPECT_FALSE(fontPlace(rom, FontKind::Main).fromTable) << "no table: the game's own addresses";

    // The main font moved to $F00000 with 128 glyphs; Mr. Saturn's where the game keeps it.
    std::vector<std::uint8_t> widths(128, 3);
    widths[96] = 14;
    image.data().resize(0x301200);
    image.put(0x300200, widths);
    image.put(0x3F254, {0x00, 0x00, 0xF0, 0x00, 0x80, 0x00, 0xF0, 0x00, 32, 0, 16, 0});
    image.put(0x201559, std::vector<std::uint8_t>(96, 5));
    const LayoutSetup setup = readLayoutSetup(openImage(image));
    EXPECT_EQ(setup.main.width(0xB0), 14) << "B0 draws glyph 96 of a 128-glyph font";
    EXPECT_EQ(setup.main.width(glyphByte('A')), 3);
    EXPECT_EQ(setup.saturn.width(glyphByte('A')), 5);

    image.put(0x3F254 + 8, {16, 0}); // not the shape of a 16 x 16 font: refused
    EXPECT_EQ(readGameFont(openImage(image)).width(glyphByte('A')), 8);
}

TEST_F(LayoutFromImage, AnyEntryOfTheWindowTableMayBeChosen)
{
    TestImage image = fontImage();
    image.put(0x3E450 + 5 * 8, {0, 0, 0, 0, 20, 0, 6, 0});
    RomFile& opened = openImage(image);
    const LayoutSetup dialogue = readLayoutSetup(opened);
    EXPECT_EQ(dialogue.width, 80) << "(12 - 2) x 8";
    EXPECT_EQ(dialogue.lines, 3);
    const LayoutSetup other = readLayoutSetup(opened, 5);
    EXPECT_EQ(other.width, 144);
    EXPECT_EQ(other.lines, 2);
    EXPECT_EQ(readLayoutSetup(opened, 1, 200).width, 200);
    EXPECT_EQ(readLayoutSetup(opened, 9).width, FallbackLineLimit) << "an empty entry: the game's own window";

    RomFile small;
    ASSERT_TRUE(small.open(TestImage(0x100000).writeTo(dir.file("small.smc")).string(), RomFile::Access::ReadOnly));
    EXPECT_EQ(lineLimit(small), 136) << "a file that ends before the table";
    EXPECT_EQ(readGameFont(small).width(0x71), 0) << "and before the font";
}

TEST_F(LayoutFromImage, ItemAndEnemyNamesAreReadFromTheirTables)
{
    TestImage image = fontImage();
    image.put(0x155200 + 7 * 39, bytes({gameText("Cracked Bat"), {0x00}}));
    image.put(0x159789 + 3 * 94 + 1, bytes({gameText("Starman"), {0x00}}));
    const InsertedNames names = readInsertedNames(openImage(image));
    ASSERT_EQ(names.items.size(), static_cast<std::size_t>(ItemCount));
    EXPECT_EQ(names.items[7], gameText("Cracked Bat"));
    EXPECT_EQ(names.enemies[3], gameText("Starman"));
    EXPECT_TRUE(names.items[8].empty());
}

TEST_F(LayoutFromImage, TheFitCheckListsEachBlockOnceWithItsCutWords)
{
    RomFile& opened = openImage(fontImage());
    loadDictionary(opened);
    TextCatalogue catalogue;
    fillCatalogue(catalogue, opened, ListingSource::PointerTable);
    const auto found = checkFit(opened, catalogue, readLayoutSetup(opened), CodeGrouping::Classic, true);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].row, 0);
    EXPECT_EQ(found[0].line, 2) << "a blank line first, the word on the second";
    EXPECT_EQ(found[0].detail, "AAAAAAAAAA (89 px, room 74 px)");
    EXPECT_EQ(found[1].row, 1) << "row 4 shares row 1's block";
    EXPECT_EQ(found[2].row, 3);
    EXPECT_EQ(found[2].detail, "AAAAAAAAAAAA (107 px, room 74 px)") << "a dictionary string's letters";
}

} // namespace
