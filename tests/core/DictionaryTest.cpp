#include "rom/RomFile.h"
#include "support/TestImage.h"
#include "text/CompressionDictionary.h"

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

CompressionDictionary loadFrom(const TestImage& image)
{
    TempDir dir;
    const auto path = image.writeTo(dir.file("d.smc"));
    RomFile rom;
    EXPECT_TRUE(rom.open(path.string()));
    CompressionDictionary dictionary;
    dictionary.slots[0][0] = 'x'; // a load must empty slot 0
    loadDictionary(rom, dictionary);
    return dictionary;
}

TEST(LoadDictionary, StoresStringsInOrderAsDisplayCharacters)
{
    TestImage image(0x100000);
    image.put(DictionaryOffset, {0x71, 0x72, 0x00, 0x00, 0x50, 0xAA, 0x01, 0x00});
    const auto d = loadFrom(image);
    EXPECT_EQ(d.slot(0), "");
    EXPECT_EQ(d.slot(1), "AB");
    EXPECT_EQ(d.slot(2), "") << "two zero bytes in a row give an empty slot";
    EXPECT_EQ(d.slot(3), std::string(" z\u00D1")) << "display characters past z are held as UTF-8";
}

TEST(LoadDictionary, LongStringIsCutAndTheLoadStaysInStep)
{
    TestImage image(0x100000);
    image.setDictionary({std::string(30, 'Q'), "NEXT"});
    const auto d = loadFrom(image);
    EXPECT_EQ(d.slot(1), std::string(24, 'Q'));
    EXPECT_EQ(d.slot(2), "NEXT");
}

TEST(LoadDictionary, FillsAll767SlotsAndNoMore)
{
    TestImage image(0x100000);
    std::vector<std::string> strings;
    for (int i = 1; i <= 768; ++i)
        strings.push_back("S" + std::to_string(i));
    image.setDictionary(strings);
    const auto d = loadFrom(image);
    EXPECT_EQ(d.slot(1), "S1");
    EXPECT_EQ(d.slot(256), "S256");
    EXPECT_EQ(d.slot(767), "S767");
    EXPECT_EQ(d.slot(768), "") << "out of range";
}

TEST(LoadDictionary, FileEndingEarlyEndsTheLoad)
{
    TestImage image(DictionaryOffset + 6);
    image.put(DictionaryOffset, {0x71, 0x00, 0x72, 0x73, 0x74, 0x75});
    const auto d = loadFrom(image);
    EXPECT_EQ(d.slot(1), "A");
    EXPECT_EQ(d.slot(2), "BCDE");
    EXPECT_EQ(d.slot(3), "");
    EXPECT_EQ(d.slot(767), "");
}

TEST(LoadDictionary, LoadingTwiceGivesTheSameTable)
{
    TestImage image(0x100000);
    image.setDictionary({"one", "two", "three"});
    TempDir dir;
    const auto path = image.writeTo(dir.file("d.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string()));
    CompressionDictionary a, b;
    loadDictionary(rom, a);
    loadDictionary(rom, b);
    loadDictionary(rom, b);
    EXPECT_EQ(a.slots, b.slots);
}

} // namespace
