#include "rom/RomFile.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class RomFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<std::uint8_t> content(70000);
        for (std::size_t i = 0; i < content.size(); ++i)
            content[i] = static_cast<std::uint8_t>(i * 7);
        image.data() = content;
        path = image.writeTo(dir.file("rom.smc"));
        ASSERT_TRUE(rom.open(path.string()));
    }

    TempDir dir;
    TestImage image{0};
    std::filesystem::path path;
    RomFile rom;
};

TEST_F(RomFileTest, ReadsBytesAtAbsoluteOffsetsAcrossWindowRefills)
{
    rom.seek(10);
    EXPECT_EQ(rom.readByte(), 70 & 0xFF);
    rom.seek(69990);
    for (int i = 69990; i < 70000; ++i)
        EXPECT_EQ(rom.readByte(), (i * 7) & 0xFF) << i;
    EXPECT_EQ(rom.readByte(), -1);
    EXPECT_EQ(rom.readByte(), -1) << "reads at the end keep giving -1";

    rom.seek(0);
    for (int i = 0; i < 70000; ++i)
        ASSERT_EQ(rom.readByte(), (i * 7) & 0xFF) << i;
}

TEST_F(RomFileTest, PeekDoesNotMove)
{
    rom.seek(100);
    EXPECT_EQ(rom.peekByte(3), (103 * 7) & 0xFF);
    EXPECT_EQ(rom.readByte(), (100 * 7) & 0xFF);
    rom.seek(69999);
    EXPECT_EQ(rom.peekByte(1), -1);
    EXPECT_EQ(rom.readByte(), (69999 * 7) & 0xFF);
}

TEST_F(RomFileTest, WritesReachTheFileAtTheNextSeekAndAreReadBack)
{
    rom.seek(5);
    ASSERT_TRUE(rom.writeByte(0xAB));
    ASSERT_TRUE(rom.writeByte(0xCD));
    EXPECT_EQ(readFile(path)[5], 35) << "pending bytes are not yet in the file";
    rom.seek(0);
    auto onDisk = readFile(path);
    EXPECT_EQ(onDisk[5], 0xAB);
    EXPECT_EQ(onDisk[6], 0xCD);
    EXPECT_EQ(onDisk[7], (7 * 7) & 0xFF) << "the byte after the run is untouched";
    rom.seek(4);
    EXPECT_EQ(rom.readByte(), 28);
    EXPECT_EQ(rom.readByte(), 0xAB);
}

TEST_F(RomFileTest, CloseFlushesPendingWrites)
{
    rom.seek(60000);
    rom.writeByte(0x11);
    EXPECT_TRUE(rom.close());
    EXPECT_EQ(readFile(path)[60000], 0x11);
    EXPECT_FALSE(rom.isOpen());
}

TEST_F(RomFileTest, SeekDropsReadAheadSoOutsideChangesAreSeen)
{
    rom.seek(0);
    EXPECT_EQ(rom.readByte(), 0);
    image.data()[1] = 0x99;
    image.writeTo(path);
    rom.seek(1);
    EXPECT_EQ(rom.readByte(), 0x99);
}

TEST_F(RomFileTest, NegativeOffsetReadsEndOfFileAndRefusesWrites)
{
    rom.seek(5);
    EXPECT_FALSE(rom.seek(-0xBFFE00));
    EXPECT_EQ(rom.readByte(), -1);
    EXPECT_FALSE(rom.writeByte(0x77));
    EXPECT_TRUE(rom.writeFailed());
    rom.seek(0);
    const auto onDisk = readFile(path);
    EXPECT_EQ(onDisk, image.data()) << "no byte may land at the old position";
}

TEST_F(RomFileTest, SizeLeavesTheStreamAtTheEnd)
{
    EXPECT_EQ(rom.seekEnd(), 70000);
    EXPECT_EQ(rom.readByte(), -1);
}

TEST(RomFileOpen, RequiresAnExistingFileAndNeverCreatesOne)
{
    TempDir dir;
    RomFile rom;
    EXPECT_FALSE(rom.open(""));
    EXPECT_FALSE(rom.open(dir.file("missing.smc").string()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.smc")));
    EXPECT_FALSE(rom.writeByte(1)) << "no stream, no write";
}

TEST(RomFileWriteFailure, IsReportedWhenTheDeviceIsFull)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full on this system";
    RomFile rom;
    ASSERT_TRUE(rom.open("/dev/full"));
    rom.seek(0);
    ASSERT_TRUE(rom.writeByte(0x41));
    EXPECT_FALSE(rom.flush());
    EXPECT_TRUE(rom.writeFailed());
}

} // namespace
