// The game's window as the fit check and the preview see it: the font and
// window read from the image, line widths, what overflows, and the picture.
#include "catalogue/FitCheck.h"
#include "catalogue/TextCatalogue.h"
#include "support/TestImage.h"
#include "text/GamePreview.h"
#include "text/TextEncoder.h"

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class TextFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = fontImage().writeTo(dir.file("font.smc"));
        ASSERT_TRUE(rom.open(path.string(), RomFile::Access::ReadOnly));
        loadDictionary(rom);
        font = readGameFont(rom);
    }
    TextMeasure measure(std::string_view text)
    {
        bytes = encodeText(text);
        return measureText(bytes, textItems(bytes, CodeGrouping::Classic), font);
    }

    TempDir dir;
    std::filesystem::path path;
    RomFile rom;
    GameFont font;
    std::vector<std::uint8_t> bytes;
};

TEST_F(TextFit, TheFontIsReadAsTwoStripsOfSixteenRowsHighBitLeftmost)
{
    const int a = 'A' + CharacterOffset;
    EXPECT_EQ(font.width(a), 8);
    EXPECT_EQ(font.width('W' + CharacterOffset), 12);
    EXPECT_EQ(font.width(0x50), 4) << "the space";
    EXPECT_EQ(font.width(0x4F), 0) << "a code byte has no glyph";
    EXPECT_EQ(font.widestCapital(), 12);
    EXPECT_TRUE(font.pixel(a, 0, 0));
    EXPECT_TRUE(font.pixel(a, 15, 0)) << "the right strip's top row";
    EXPECT_TRUE(font.pixel(a, 0, 15)) << "the left column down to the last row";
    EXPECT_FALSE(font.pixel(a, 1, 1));
    EXPECT_FALSE(font.pixel(a, 8, 1));
    EXPECT_FALSE(font.pixel(a, 16, 0)) << "outside the cell";
}

TEST_F(TextFit, TheLimitComesFromTheWindowWithFallbacksAndTheOptionFirst)
{
    EXPECT_EQ(lineLimit(rom), 80) << "(12 - 2) x 8";
    EXPECT_EQ(windowLines(rom), 3);
    EXPECT_EQ(lineLimit(rom, 200), 200);

    const auto limitWith = [&](int widthTiles, int heightTiles) {
        TestImage image = fontImage();
        image.put(0x3E450 + 12, {static_cast<std::uint8_t>(widthTiles), 0x00, static_cast<std::uint8_t>(heightTiles), 0x00});
        RomFile other;
        EXPECT_TRUE(other.open(image.writeTo(dir.file("w.smc")).string(), RomFile::Access::ReadOnly));
        return std::pair{lineLimit(other), windowLines(other)};
    };
    EXPECT_EQ(limitWith(3, 4), (std::pair{8, 1})) << "the narrowest and lowest windows taken";
    EXPECT_EQ(limitWith(32, 32), (std::pair{240, 15}));
    EXPECT_EQ(limitWith(2, 3), (std::pair{136, 3})) << "too small: the game's own sizes";
    EXPECT_EQ(limitWith(33, 33), (std::pair{136, 3})) << "too large: the same";

    RomFile small;
    ASSERT_TRUE(small.open(TestImage(0x100000).writeTo(dir.file("small.smc")).string(), RomFile::Access::ReadOnly));
    EXPECT_EQ(lineLimit(small), 136) << "a file that ends before the table";
    EXPECT_EQ(readGameFont(small).width(0x71), 0) << "and before the font";
}

TEST_F(TextFit, LinesEndAtZeroAndOneAndEachItemAddsItsWidth)
{
    const TextMeasure m = measure("AB[00]iW W[01][03][10 05]A[02]");
    EXPECT_EQ(m.lineWidths, (std::vector<int>{16, 4 + 12 + 4 + 12, 8})) << "other codes add nothing";
    EXPECT_TRUE(m.items[2].endsLine);
    EXPECT_EQ(m.items[4].x, 4);
    EXPECT_EQ(m.items[4].line, 1);
    EXPECT_EQ(measure("").lineWidths, std::vector<int>{0});

    EXPECT_EQ(measure("A[1C 02 01]A").lineWidths, std::vector<int>{8 + 5 * 12 + 8}) << "a name: its widest room";
    const auto* row = controlCodeTable().find(0x1C, 0x02);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->inserts, 5) << "the table's room for a name";
    EXPECT_EQ(measure("[15 01]").lineWidths, std::vector<int>{12 * 8}) << "a dictionary string, letter by letter";
    EXPECT_EQ(measure("[15 02]").lineWidths, std::vector<int>{0}) << "an empty slot";
}

TEST_F(TextFit, TheEditBoxMarksWhatRunsPastTheLimit)
{
    using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(overflowRanges("AAAAAAAAAA", 80, font, CodeGrouping::Classic), Ranges{}) << "exactly the limit fits";
    EXPECT_EQ(overflowRanges("AAAAAAAAAAAB[00]AAAAAAAAAAA", 80, font, CodeGrouping::Classic), (Ranges{{10, 12}, {26, 27}}));
    EXPECT_EQ(overflowRanges("AAAAAAAA[1C 02 01]", 80, font, CodeGrouping::Classic), (Ranges{{9, 17}}))
        << "a name that runs past it marks its code, arguments too";
    EXPECT_EQ(overflowRanges("AAAAAAAAAAAA[", 80, font, CodeGrouping::Classic), Ranges{}) << "a bracket error measures nothing";
    const PlacedBytes placed = encodeWithPlaces("A[ 1c  2 ]B");
    EXPECT_EQ(placed.bytes, (std::vector<std::uint8_t>{0x71, 0x1C, 0x02, 0x72}));
    EXPECT_EQ(placed.places, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 1}, {3, 5}, {7, 8}, {10, 11}}));
}

TEST_F(TextFit, TheFitCheckListsEachBlockOnceInRowAndLineOrder)
{
    TextCatalogue catalogue;
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    const auto found = checkFit(rom, catalogue, font, 80, CodeGrouping::Classic);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ((std::vector<int>{found[0].row, found[0].line, found[0].width}), (std::vector<int>{1, 1, 88}));
    EXPECT_EQ((std::vector<int>{found[1].row, found[1].line, found[1].width}), (std::vector<int>{2, 1, 84}));
    EXPECT_EQ((std::vector<int>{found[2].row, found[2].line, found[2].width}), (std::vector<int>{3, 1, 96}));
    EXPECT_TRUE(checkFit(rom, catalogue, font, 96, CodeGrouping::Classic).empty());
}

TEST_F(TextFit, ThePreviewDrawsGlyphsNamesMarksAndOverflowInTheirColours)
{
    const PreviewLayout layout{80, 3, 2};
    const TextMeasure m = measure("A[1C 02 01][03][00]B[00]C[00]AAAAAAAAAAA[02]");
    EXPECT_EQ(previewPageCount(m, layout), 2) << "four lines, three at a time";
    EXPECT_EQ(previewPageOf(m, 0, layout), 0);
    EXPECT_EQ(previewPageOf(m, static_cast<int>(bytes.size()) - 2, layout), 1);

    const Picture all = renderPreview(bytes, m, font, layout);
    const int margin = preview::Margin * 2;
    ASSERT_EQ(all.width, (88 + 2 * preview::Margin) * 2) << "as wide as the widest line";
    ASSERT_EQ(all.height, (3 * 16 + 2 * preview::Margin) * 2 * 2);
    EXPECT_EQ(all.at(margin, margin), preview::Ink) << "A's top-left pixel, twice the size";
    EXPECT_EQ(all.at(margin + 1, margin + 1), preview::Ink);
    EXPECT_EQ(all.at(margin + 2, margin + 2), preview::Inside);
    EXPECT_EQ(all.at(0, 0), preview::Frame);
    EXPECT_EQ(all.at(margin + 16 * 2, margin + 8 * 2), preview::Name) << "the name's room after A";
    EXPECT_EQ(all.at(margin + (8 + 60 + 3) * 2, margin + 8 * 2), preview::PageMark) << "the wait code's mark";
    const int secondPage = (3 * 16 + 2 * preview::Margin) * 2;
    const int lastLine = secondPage + margin; // the fourth line, first of its page
    EXPECT_EQ(all.at(margin + 80 * 2, lastLine), preview::WarningInk) << "the eleventh A, past the window";
    EXPECT_EQ(all.at(margin + 80 * 2 + 4, lastLine + 4), preview::Beyond);
    EXPECT_EQ(all.at(margin, lastLine), preview::Ink);

    const Picture one = renderPreview(bytes, m, font, layout, 1);
    EXPECT_EQ(one.height, all.height / 2);
    EXPECT_EQ(one.at(margin + 80 * 2, margin), preview::WarningInk) << "the page asked for alone";
}

} // namespace
