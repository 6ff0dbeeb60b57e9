#include "catalogue/TextCatalogue.h"
#include "catalogue/TptRecord.h"
#include "rom/RomFile.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

TEST(TptLayout, HasExactly1406Records)
{
    EXPECT_EQ(TptRecordCount, 1406);
    EXPECT_EQ(TptFirstRecord + TptRecordSize * (TptRecordCount - 1), 0xFE8DF);
}

TEST(TptValidity, WindowIsInclusiveAtBothEnds)
{
    EXPECT_TRUE(isValidTextPointer(0xC51B12));
    EXPECT_TRUE(isValidTextPointer(0xFFFFFF));
    EXPECT_TRUE(isValidTextPointer(0xF00000));
    EXPECT_FALSE(isValidTextPointer(0xC51B11));
    EXPECT_FALSE(isValidTextPointer(0x1000000));
    EXPECT_FALSE(isValidTextPointer(0));
    EXPECT_FALSE(isValidTextPointer(0x01C51B12));
    EXPECT_FALSE(isValidTextPointer(-1));
}

class TptScan : public ::testing::Test {
protected:
    void open()
    {
        path = image.writeTo(dir.file("tpt.smc"));
        ASSERT_TRUE(rom.open(path.string()));
    }
    TempDir dir;
    TestImage image{0x100000};
    std::filesystem::path path;
    RomFile rom;
    TextCatalogue catalogue;
};

TEST_F(TptScan, KeepsValidRecordsInTableOrderWithTheirFields)
{
    image.setTptRecord(0, 0xC51B12, 300, 255);
    image.setTptRecord(1, 0xC51B11, 1, 1);
    image.setTptRecord(2, 0xFFFFFF, 2, 3);
    image.setTptRecord(3, 0x01C51B12, 1, 1);
    image.setTptRecord(1405, 0xF00000, 463, 7);
    open();
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    ASSERT_EQ(catalogue.count, 3);
    EXPECT_EQ(catalogue.rows[0].tptRecordOffset, 0xF8B92);
    EXPECT_EQ(catalogue.rows[0].snesAddress, 0xC51B12);
    EXPECT_EQ(catalogue.rows[0].spriteNumber, 300);
    EXPECT_EQ(catalogue.rows[0].movementNumber, 255);
    EXPECT_EQ(catalogue.rows[1].tptRecordOffset, 0xF8B92 + 2 * 17);
    EXPECT_EQ(catalogue.rows[1].snesAddress, 0xFFFFFF);
    EXPECT_EQ(catalogue.rows[2].tptRecordOffset, 0xFE8DF);
    EXPECT_EQ(catalogue.rows[2].spriteNumber, 463);
}

TEST_F(TptScan, StopsBeforeTheEndBound)
{
    // A record that would start at 0xFE8F0 is not part of the table.
    image.setTptRecord(1406, 0xC60000, 1, 1);
    open();
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    EXPECT_EQ(catalogue.count, 0);
}

TEST_F(TptScan, FileEndingInsideTheTableYieldsOnlyWholeRecords)
{
    image.setTptRecord(0, 0xC60000, 1, 1);
    image.setTptRecord(1, 0xC60010, 1, 1);
    image.data().resize(TptFirstRecord + 17 + 16); // record 1 loses its last pointer byte
    open();
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    ASSERT_EQ(catalogue.count, 1);
    EXPECT_EQ(catalogue.rows[0].snesAddress, 0xC60000);
}

TEST_F(TptScan, WriteTouchesOnlyTheThreeFieldsAndReadsBack)
{
    for (std::size_t i = 0; i < 17; ++i)
        image.data()[0xF8B92 + i] = 0xEE;
    open();
    ASSERT_EQ(writeTptRecord(rom, 0xF8B92, 0xC51B12, 300, 255), WriteStatus::Written);
    rom.seek(0);
    const auto onDisk = readFile(path);
    auto expected = image.data();
    expected[0xF8B97] = 0x2C;
    expected[0xF8B98] = 0x01;
    expected[0xF8B9A] = 0xFF;
    expected[0xF8B9F] = 0x12;
    expected[0xF8BA0] = 0x1B;
    expected[0xF8BA1] = 0xC5;
    expected[0xF8BA2] = 0x00;
    EXPECT_EQ(onDisk, expected);

    rom.seek(0xF8B92);
    const TextEntry back = readTptRecord(rom, 0xF8B92);
    EXPECT_EQ(back.snesAddress, 0xC51B12);
    EXPECT_EQ(back.spriteNumber, 300);
    EXPECT_EQ(back.movementNumber, 255);
}

TEST_F(TptScan, ARecordOutsideTheFileWritesNothingAndSaysSo)
{
    open();
    EXPECT_EQ(writeTptRecord(rom, -0x1000, 0xC51B12, 1, 1), WriteStatus::OutsideFile);
    // The sprite field is inside the file but the pointer field is not: no field lands.
    const auto size = static_cast<std::int32_t>(image.data().size());
    EXPECT_EQ(writeTptRecord(rom, size - 10, 0xC51B12, 1, 1), WriteStatus::OutsideFile);
    EXPECT_EQ(readFile(path), image.data());
}

} // namespace
