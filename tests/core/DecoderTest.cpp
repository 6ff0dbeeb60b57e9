#include "rom/RomFile.h"
#include "support/TestImage.h"
#include "text/TextDecoder.h"

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

struct DecodeCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string withCodes;
    std::string withoutCodes;
    int size;
    friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

CompressionDictionary sampleDictionary()
{
    CompressionDictionary d;
    const std::string slot32 = "the ";
    std::copy(slot32.begin(), slot32.end(), d.slots[32].begin());
    const std::string slot300 = "Onett";
    std::copy(slot300.begin(), slot300.end(), d.slots[300].begin());
    return d;
}

std::vector<std::uint8_t> nineteenTwo()
{
    std::vector<std::uint8_t> b = {0x19, 0x02};
    for (int i = 0; i < 24; ++i)
        b.push_back(static_cast<std::uint8_t>(0x70 + i));
    b.push_back(0x78); // after the end: never read
    b.push_back(0x02);
    return b;
}

std::string nineteenTwoText()
{
    std::string t = "[19 02";
    for (int i = 0; i < 24; ++i) {
        char buf[4];
        std::snprintf(buf, sizeof buf, " %02X", 0x70 + i);
        t += buf;
    }
    return t + "]";
}

class DecodeTable : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTable, GivesTextSizeAndTheSameSizeWithoutCodes)
{
    const DecodeCase& c = GetParam();
    const CompressionDictionary dictionary = sampleDictionary();
    TempDir dir;
    TestImage image(0x1000);
    image.put(0x300, c.bytes);
    const auto path = image.writeTo(dir.file("dec.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string()));

    const DecodedText shown = decodeText(rom, 0x300, true, dictionary);
    EXPECT_EQ(shown.text, c.withCodes);
    EXPECT_EQ(shown.size, c.size);
    EXPECT_EQ(rom.position(), 0x300 + c.size) << "the stream stops just past the last byte consumed";

    const DecodedText plain = decodeText(rom, 0x300, false, dictionary);
    EXPECT_EQ(plain.text, c.withoutCodes);
    EXPECT_EQ(plain.size, c.size);

    const DecodedText memory = decodeBytes(c.bytes, true, dictionary);
    EXPECT_EQ(memory.text, c.withCodes);
    EXPECT_EQ(memory.size, c.size);
}

INSTANTIATE_TEST_SUITE_P(Rows, DecodeTable,
    ::testing::Values(
        DecodeCase{"plain", {0x78, 0x95, 0x9C, 0x9C, 0x9F, 0x02}, "Hello[02]", "Hello", 6},
        DecodeCase{"groupCloses", {0x78, 0x95, 0x03, 0x9C, 0x02}, "He[03]l[02]", "Hel", 5},
        DecodeCase{"endCodeAsArgument", {0x1A, 0x02, 0x78, 0x02}, "[1A 02]H[02]", "H", 4},
        DecodeCase{"argumentInCharacterRange", {0x0D, 0x71, 0x02}, "[0D 71 02]", "", 3},
        DecodeCase{"unlisted19", {0x19, 0x71, 0x02}, "[19]A[02]", "A", 3},
        DecodeCase{"unlisted1D", {0x1D, 0x71, 0x02}, "[1D]A[02]", "A", 3},
        DecodeCase{"sub1B04", {0x1B, 0x04, 0x71, 0x02}, "[1B 04]A[02]", "A", 4},
        DecodeCase{"unlisted1B", {0x1B, 0x09, 0x11, 0x22, 0x33, 0x02}, "[1B 09 11 22 33 02]", "", 6},
        DecodeCase{"unlisted1C", {0x1C, 0x71, 0x72, 0x74, 0x02}, "[1C 71 72]D[02]", "D", 5},
        DecodeCase{"counted1FC0",
            {0x1F, 0xC0, 0x02, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x78, 0x02},
            "[1F C0 02 11 11 11 11 11 11 11 11]H[02]", "H", 13},
        DecodeCase{"nineteenTwoEndsBlock", nineteenTwo(), nineteenTwoText(), "", 26},
        DecodeCase{"dictionary", {0x15, 0x20, 0x02}, "the [02]", "the ", 3},
        DecodeCase{"dictionarySecondBank", {0x16, 0x2C, 0x51, 0x02}, "Onett![02]", "Onett!", 4},
        DecodeCase{"emptySlotClosesGroup", {0x03, 0x15, 0x00, 0x03, 0x02}, "[03][03 02]", "", 5},
        DecodeCase{"gameBrackets", {0x8B, 0x61, 0x8D, 0x02}, "[1][02]", "[1]", 4},
        DecodeCase{"sharedGroup", {0x1C, 0x05, 0x07, 0x02}, "[1C 05 07 02]", "", 4},
        DecodeCase{"twoArgs", {0x04, 0x01, 0x02, 0x05, 0x10, 0x20, 0x02}, "[04 01 02 05 10 20 02]", "", 7},
        DecodeCase{"sixArgs", {0x06, 1, 2, 3, 4, 5, 6, 0x02}, "[06 01 02 03 04 05 06 02]", "", 8},
        DecodeCase{"fourArgs", {0x08, 1, 2, 3, 4, 0x0A, 1, 2, 3, 4, 0x02}, "[08 01 02 03 04 0A 01 02 03 04 02]", "", 11},
        DecodeCase{"threeArgs", {0x1E, 0x71, 0x71, 0x71, 0x02}, "[1E 71 71 71 02]", "", 5},
        DecodeCase{"oneArgCodes", {0x07, 0x71, 0x0E, 0x71, 0x10, 0x71, 0x18, 0x71, 0x02},
            "[07 71 0E 71 10 71 18 71 02]", "", 9},
        DecodeCase{"c6", {0xC6, 0x71, 0x72, 0xC5, 0x02}, "[C6 71 72 C5 02]", "", 5},
        DecodeCase{"sub1905", {0x19, 0x05, 1, 2, 3, 0x02}, "[19 05 01 02 03 02]", "", 6},
        DecodeCase{"sub1922", {0x19, 0x22, 1, 2, 3, 4, 0x02}, "[19 22 01 02 03 04 02]", "", 7},
        DecodeCase{"sub1B02", {0x1B, 0x02, 1, 2, 3, 4, 0x02}, "[1B 02 01 02 03 04 02]", "", 7},
        DecodeCase{"sub1C0D", {0x1C, 0x0D, 0x71, 0x02}, "[1C 0D]A[02]", "A", 4},
        DecodeCase{"sub1D05", {0x1D, 0x05, 1, 2, 3, 4, 5, 6, 7, 8, 0x02}, "[1D 05 01 02 03 04 05 06 07 08 02]", "", 11},
        DecodeCase{"sub1D08", {0x1D, 0x08, 0x71, 0x02}, "[1D 08 71 02]", "", 4},
        DecodeCase{"sub1D0E", {0x1D, 0x0E, 0x71, 0x72, 0x02}, "[1D 0E 71 72 02]", "", 5},
        DecodeCase{"sub1D15", {0x1D, 0x15, 1, 2, 3, 4, 0x02}, "[1D 15 01 02 03 04 02]", "", 7},
        DecodeCase{"sub1F00", {0x1F, 0x00, 0x71, 0x72, 0x02}, "[1F 00 71 72 02]", "", 5},
        DecodeCase{"sub1F21", {0x1F, 0x21, 0x71, 0x02}, "[1F 21 71 02]", "", 4},
        DecodeCase{"sub1F1A", {0x1F, 0x1A, 1, 2, 3, 4, 5, 0x02}, "[1F 1A 01 02 03 04 05 02]", "", 8},
        DecodeCase{"sub1F61", {0x1F, 0x61, 1, 2, 3, 4, 0x02}, "[1F 61 01 02 03 04 02]", "", 7},
        DecodeCase{"sub1FF1", {0x1F, 0xF1, 1, 2, 3, 0x02}, "[1F F1 01 02 03 02]", "", 6},
        DecodeCase{"unlisted1F", {0x1F, 0x99, 0x71, 0x02}, "[1F 99]A[02]", "A", 4},
        DecodeCase{"noArgCodes", {0x00, 0x01, 0x03, 0x09, 0x20, 0x4F, 0xAB, 0xFF, 0x02},
            "[00 01 03 09 20 4F AB FF 02]", "", 9}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(DecodeText, PastTheEndOfTheFileReadsControlCodesFFUpToTheLimit)
{
    TempDir dir;
    TestImage image(0x400);
    image.put(0x3FE, {0x78, 0x95});
    const auto path = image.writeTo(dir.file("short.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string()));
    const DecodedText d = decodeText(rom, 0x3FE, true);
    EXPECT_EQ(d.size, DecodeByteLimit);
    EXPECT_EQ(d.text.substr(0, 8), "He[FF FF");
    EXPECT_EQ(d.text.back(), ']');
    EXPECT_EQ(decodeText(rom, 0x3FE, false).text, "He");
}

TEST(DecodeText, BlockWithoutEndCodeStopsAtFirstItemBoundaryAtOrPastTheLimit)
{
    TempDir dir;
    TestImage image(0x3000);
    // 3998 characters, then a 0x1D 0x05 item of 10 bytes that crosses 4000.
    const std::vector<std::uint8_t> block = bytes({gameText(std::string(3998, 'A')), {0x1D, 0x05, 1, 2, 3, 4, 5, 6, 7, 8, 0x71, 0x02}});
    image.put(0x200, block);
    const auto path = image.writeTo(dir.file("long.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string(), RomFile::Access::ReadOnly));
    const DecodedText d = decodeText(rom, 0x200, false);
    EXPECT_EQ(d.size, 3998 + 10);
    EXPECT_EQ(d.text, std::string(3998, 'A'));

    // Exactly at the limit: 4000 characters and nothing more is read.
    std::vector<std::uint8_t> exact(4005, 0x71);
    image.put(0x200, exact);
    image.writeTo(dir.file("long.smc"));
    rom.beginAction();
    EXPECT_EQ(decodeText(rom, 0x200, true).size, 4000);
}

TEST(DecodeText, ControlCodeTextGrowsWithoutBound)
{
    std::vector<std::uint8_t> zeros(3999, 0x00);
    zeros.push_back(0x02);
    const DecodedText d = decodeBytes(zeros, true);
    EXPECT_EQ(d.size, 4000);
    EXPECT_EQ(d.text.size(), 4000u * 3 + 1) << "[00, then 3998 times ' 00', then ' 02]'";
}

TEST(RenderCodesOnly, ShowsEveryByteAndEndOfFileAsFFFFFFFF)
{
    TempDir dir;
    TestImage image(0x402);
    image.put(0x300, {0x78, 0x95, 0x02});
    image.put(0x400, {0x15, 0x20});
    const auto path = image.writeTo(dir.file("codes.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string()));
    EXPECT_EQ(renderCodesOnly(rom, 0x300, 3), "[78 95 02]");
    EXPECT_EQ(renderCodesOnly(rom, 0x400, 3), "[15 20 FFFFFFFF]");
    EXPECT_EQ(renderCodesOnly(rom, 0x300, 1), "[78]");
}

} // namespace
