#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "rom/RomIdentity.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

TEST(AddressMapping, WorkedValuesHoldBothWays)
{
    const std::pair<std::uint32_t, std::int32_t> pairs[] = {
        {0xC00000, 0x200}, {0xC0FFC0, 0x101C0}, {0xC51B12, 0x51D12},
        {0xF00000, 0x300200}, {0xFFFF00, 0x400100}, {0xFFFFFF, 0x4001FF},
    };
    for (auto [snes, offset] : pairs) {
        EXPECT_EQ(snesToFileOffset(snes), offset) << std::hex << snes;
        EXPECT_EQ(fileOffsetToSnes(offset), snes) << std::hex << offset;
    }
    EXPECT_EQ(snesToFileOffset(0), -0xBFFE00);
    EXPECT_EQ(fileOffsetToSnes(-0xBFFE00), 0u);
}

RomType classify(std::size_t size, std::string_view title)
{
    TempDir dir;
    TestImage image(size, title);
    const auto path = image.writeTo(dir.file("t.smc"));
    RomFile rom;
    EXPECT_TRUE(rom.open(path.string()));
    RomType type = identifyRom(rom);
    if (size >= static_cast<std::size_t>(HeaderTitleOffset + HeaderTitleLength)) {
        EXPECT_EQ(rom.position(), HeaderTitleOffset + HeaderTitleLength) << "just behind the title";
    }
    return type;
}

TEST(IdentifyRom, ClassifiesByTheFifteenTitleBytes)
{
    EXPECT_EQ(classify(0x20000, "EARTH BOUND (J)"), RomType::EarthBound);
    EXPECT_EQ(classify(0x20000, "MOTHER-2       "), RomType::Mother2);
    EXPECT_EQ(classify(0x20000, "EARTH BOUND    "), RomType::EarthBoundBad);
    EXPECT_EQ(classify(0x20000, "earth bound    "), RomType::Unknown);
    EXPECT_EQ(classify(0x20000, "EARTH BOUND (U)"), RomType::Unknown);
    EXPECT_EQ(classify(0x20000, "MOTHER-2"), RomType::Unknown) << "seven blanks are part of the title";
}

TEST(IdentifyRom, BytesAfterTheTitleDoNotMatter)
{
    TempDir dir;
    TestImage image(0x20000, "EARTH BOUND    ");
    image.put(0x101C0 + 15, {'X', 'Y'});
    const auto path = image.writeTo(dir.file("t.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string()));
    EXPECT_EQ(identifyRom(rom), RomType::EarthBoundBad);
}

TEST(IdentifyRom, NulInTitleAndShortFileAreUnknown)
{
    std::string withNul = "EARTH BOUND (J)";
    withNul[11] = '\0';
    EXPECT_EQ(classify(0x20000, withNul), RomType::Unknown);
    // The title is cut off: missing bytes read as 0xFF.
    EXPECT_EQ(classify(0x101C0 + 14, "EARTH BOUND (J)"), RomType::Unknown);
    EXPECT_EQ(classify(0x101C0 + 15, "EARTH BOUND (J)"), RomType::EarthBound);
}

TEST(RomTypeNames, AreTheNamesTheToolShows)
{
    EXPECT_EQ(romTypeDisplayName(RomType::Unknown), "Unknown/invalid ROM");
    EXPECT_EQ(romTypeDisplayName(RomType::EarthBound), "EarthBound ROM");
    EXPECT_EQ(romTypeDisplayName(RomType::Mother2), "Mother 2 ROM");
    EXPECT_EQ(romTypeDisplayName(RomType::EarthBoundBad), "EarthBound ROM (bad)");
    EXPECT_TRUE(isAcceptedRomType(RomType::EarthBoundBad));
    EXPECT_FALSE(isAcceptedRomType(RomType::Mother2));
}

} // namespace
