#include "rom/RomExpansion.h"
#include "rom/RomFile.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

TEST(PadRomFile, GrowsA3MiBImageTo0x400200WithFillerBlocks)
{
    TempDir dir;
    TestImage image(0x300200, "EARTH BOUND (J)", 0x5A);
    const auto path = image.writeTo(dir.file("e.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string()));
    const ByteRun edit{0x1000, {0x77}};
    ASSERT_EQ(rom.write(std::span<const ByteRun>(&edit, 1)), WriteStatus::Written);

    const PadResult result = padRomFile(rom, ExpandedRomSize);
    ASSERT_TRUE(result.wroteFiller);
    ASSERT_EQ(result.status, WriteStatus::Written);
    ASSERT_TRUE(rom.isOpen());
    const auto onDisk = readFile(path);
    ASSERT_EQ(onDisk.size(), 0x400200u);
    EXPECT_EQ(onDisk[0x1000], 0x77);
    EXPECT_TRUE(std::equal(onDisk.begin(), onDisk.begin() + 0x1000, image.data().begin()));
    for (std::size_t b = 0x300200; b < 0x400200; b += 256) {
        ASSERT_EQ(onDisk[b + 255], 0x02) << std::hex << b;
        ASSERT_EQ(std::count(onDisk.begin() + static_cast<std::ptrdiff_t>(b), onDisk.begin() + static_cast<std::ptrdiff_t>(b + 255), 0), 255);
    }
    // The stream reads and writes the grown file.
    rom.seek(0x300200);
    EXPECT_EQ(rom.readByte(), 0x00);
    const ByteRun text{0x300200, {0x71}};
    EXPECT_EQ(rom.write(std::span<const ByteRun>(&text, 1)), WriteStatus::Written);
    EXPECT_EQ(readFile(path)[0x300200], 0x71);
}

TEST(PadRomFile, FillsWholeBlocksFromTheOldEndAndStopsRightAfterFFFFFF)
{
    // A truncated image once ended up to 255 bytes past $FFFFFF.
    for (const std::uint32_t size : {0x4001FEu, 0x300131u, 0x300200u}) {
        TempDir dir;
        const auto path = TestImage(size).writeTo(dir.file("e.smc"));
        RomFile rom;
        ASSERT_TRUE(rom.open(path.string()));
        ASSERT_TRUE(padRomFile(rom, ExpandedRomSize).wroteFiller);
        const auto onDisk = readFile(path);
        EXPECT_EQ(onDisk.size(), 0x400200u) << std::hex << size;
        if (size + 256 <= onDisk.size()) {
            EXPECT_EQ(onDisk[size + 255], 0x02) << "a whole block from the old end";
        }
        EXPECT_EQ(onDisk.back(), 0x02) << "the last block, cut short or not, ends in its end code";
    }
}

TEST(PadRomFile, LeavesALargeEnoughFileAsItIs)
{
    TempDir dir;
    const auto path = TestImage(0x4001FF).writeTo(dir.file("e.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string()));
    const PadResult result = padRomFile(rom, ExpandedRomSize);
    EXPECT_FALSE(result.wroteFiller);
    EXPECT_EQ(result.status, WriteStatus::Written);
    EXPECT_TRUE(rom.isOpen());
    EXPECT_EQ(rom.readByte(), -1) << "left at the end of the file";
    EXPECT_EQ(readFile(path).size(), 0x4001FFu);
}

#ifndef _WIN32 // wine keeps a deleted open file under its name until it is closed
TEST(PadRomFile, NeverRecreatesARemovedImage)
{
    TempDir dir;
    const auto path = TestImage(0x1000).writeTo(dir.file("e.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string()));
    std::filesystem::remove(path);
    const PadResult result = padRomFile(rom, 0x2000);
    EXPECT_EQ(result.status, WriteStatus::NotTheOpenFile);
    EXPECT_FALSE(std::filesystem::exists(path)) << "a removed image is not recreated as filler";
}
#endif

} // namespace
