#include "catalogue/TextCatalogue.h"
#include "cli/SampleImage.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "rom/RomIdentity.h"
#include "support/TestImage.h"
#include "text/TextDecoder.h"

#include <gtest/gtest.h>

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

TEST(SampleImageExpanded, EndsAt0x400200WithFillerBlocks)
{
    const auto image = buildSampleImage(true);
    ASSERT_EQ(image.size(), 0x400200u);
    EXPECT_EQ(image[0x300200 + 255], 0x02);
    EXPECT_EQ(image[0x400200 - 1], 0x02);
    const auto plain = buildSampleImage(false);
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), image.begin()));
}

} // namespace
