#include "catalogue/TextCatalogue.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "support/TestImage.h"
#include "text/TextDecoder.h"

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class CatalogueTest : public ::testing::Test {
protected:
    void open()
    {
        path = image.writeTo(dir.file("cat.smc"));
        ASSERT_TRUE(rom.open(path.string()));
    }
    TempDir dir;
    TestImage image{0x300200};
    std::filesystem::path path;
    RomFile rom;
    TextCatalogue catalogue;
};

TEST_F(CatalogueTest, WalkListsConsecutiveBlocksAndTheFirstAlways)
{
    image.put(0x51D12, bytes({gameText("One"), {0x02}, gameText("Two"), {0x02}}));
    open();
    walkBlocks(catalogue, rom, 0x51D12, 0x51D13);
    ASSERT_EQ(catalogue.count, 1) << "the second block starts past the bound";
    walkBlocks(catalogue, rom, 0x51D12, 0x51D17);
    ASSERT_EQ(catalogue.count, 3);
    EXPECT_EQ(catalogue.rows[2].snesAddress, 0xC51B16);
    EXPECT_EQ(catalogue.rows[2].tptRecordOffset, 0);
    EXPECT_EQ(catalogue.rows[2].spriteNumber, 0);
    walkBlocks(catalogue, rom, 0x51D12, 0x51D16);
    EXPECT_EQ(catalogue.count, 3 + 1) << "an offset equal to the bound ends the walk";
}

TEST_F(CatalogueTest, RawListingStartsEachRangeAtItsFixedStart)
{
    image.put(0x51D12, bytes({gameText("First"), {0x02}}));
    image.put(0x2F5020, bytes({gameText("Eleventh"), {0x02}}));
    open();
    fillCatalogue(catalogue, rom, ListingSource::RawText);
    ASSERT_GT(catalogue.count, 11);
    EXPECT_EQ(catalogue.rows[0].snesAddress, 0xC51B12);
    EXPECT_EQ(listLabel(rom, catalogue.rows[0]), "First");
    int rowsStartingRanges = 0;
    bool foundEleventh = false;
    for (int i = 0; i < catalogue.count; ++i) {
        const std::int32_t offset = snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[i].snesAddress));
        for (const TextRange& range : RawTextRanges)
            rowsStartingRanges += offset == range.start;
        if (catalogue.rows[i].snesAddress == static_cast<std::int32_t>(0xEF4E20)) {
            foundEleventh = true;
            EXPECT_EQ(listLabel(rom, catalogue.rows[i]), "Eleventh");
        }
    }
    EXPECT_EQ(rowsStartingRanges, 11);
    EXPECT_TRUE(foundEleventh);
}

TEST_F(CatalogueTest, ExpandedListingOfFillerHas4095EmptyRows)
{
    image.data().resize(0x400200);
    for (std::size_t b = 0x300200; b < 0x400200; b += 256)
        image.data()[b + 255] = 0x02;
    open();
    fillCatalogue(catalogue, rom, ListingSource::ExpandedRom);
    ASSERT_EQ(catalogue.count, 4095);
    EXPECT_EQ(catalogue.rows[0].snesAddress, 0xF00000);
    EXPECT_EQ(catalogue.rows[1].snesAddress, 0xF00100);
    EXPECT_EQ(catalogue.rows[4094].snesAddress, 0xFFFE00);
    EXPECT_EQ(listLabel(rom, catalogue.rows[4094]), "");
}

TEST_F(CatalogueTest, SourceWithMoreThan8000BlocksStopsAt8000)
{
    image.data().resize(0x400200, 0x02); // one-byte blocks all the way
    open();
    fillCatalogue(catalogue, rom, ListingSource::ExpandedRom);
    EXPECT_EQ(catalogue.count, CatalogueCapacity);
    EXPECT_EQ(catalogue.rows[7999].snesAddress, static_cast<std::int32_t>(0xF00000 + 7999));
    EXPECT_FALSE(catalogue.append({}));
}

TEST_F(CatalogueTest, WalkOverAShortFileAdvancesAndEnds)
{
    image.data().resize(0x51D12 + 10);
    open();
    walkBlocks(catalogue, rom, 0x51D12, 0x581C1);
    EXPECT_GE(catalogue.count, 1);
    EXPECT_LE(catalogue.count, 10);
}

TEST_F(CatalogueTest, LabelIsTheFirst149CharactersWithoutCodes)
{
    image.put(0x60000, bytes({{0x1C, 0x05, 0x07}, gameText(std::string(200, 'x')), {0x02}}));
    image.put(0x61000, bytes({gameText(std::string(149, 'y')), {0x02}}));
    image.put(0x62000, {0x03, 0x00, 0x02});
    open();
    EXPECT_EQ(listLabel(rom, {0, static_cast<std::int32_t>(fileOffsetToSnes(0x60000)), 0, 0}), std::string(149, 'x'));
    EXPECT_EQ(listLabel(rom, {0, static_cast<std::int32_t>(fileOffsetToSnes(0x61000)), 0, 0}), std::string(149, 'y'));
    EXPECT_EQ(listLabel(rom, {0, static_cast<std::int32_t>(fileOffsetToSnes(0x62000)), 0, 0}), "");
}

TEST_F(CatalogueTest, UnknownSourceLeavesTheCatalogueEmpty)
{
    open();
    catalogue.count = 5;
    fillCatalogue(catalogue, rom, static_cast<ListingSource>(7));
    EXPECT_EQ(catalogue.count, 0);
}

TEST(DumpNames, FollowTheSource)
{
    EXPECT_STREQ(dumpFileName(ListingSource::PointerTable), "ptrlist.txt");
    EXPECT_STREQ(dumpFileName(ListingSource::RawText), "rawlist.txt");
    EXPECT_STREQ(dumpFileName(ListingSource::ExpandedRom), "explist.txt");
}

} // namespace

#include "catalogue/TextSearch.h"

namespace {

TEST(SearchNeedle, IsCutTo3999CharactersAndUpperCasesOnlyAtoZ)
{
    EXPECT_EQ(scrivlet::searchNeedle("abc[1c xyz]\xE0"), "ABC[1C XYZ]\xE0");
    const std::string longNeedle(5000, 'q');
    EXPECT_EQ(scrivlet::searchNeedle(longNeedle), std::string(3999, 'Q'));
    // A letter of two bytes that the cut would split is left out whole.
    EXPECT_EQ(scrivlet::searchNeedle(std::string(3998, 'q') + "\u00F1x"), std::string(3998, 'Q'));
}

} // namespace
