#include "rom/RomFile.h"
#include "support/TestImage.h"
#include "text/TextEncoder.h"

#include <gtest/gtest.h>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

struct EncodeCase {
    const char* name;
    std::string text;
    std::vector<std::uint8_t> bytes;
    int size;
    friend void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }
};

class EncodeTable : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTable, GivesBytesAndSize)
{
    const EncodeCase& c = GetParam();
    EXPECT_EQ(encodedSize(c.text), c.size);
    if (c.size >= 0) {
        EXPECT_EQ(encodeText(c.text), c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EncodeTable,
    ::testing::Values(
        EncodeCase{"plain", "Hello[02]", {0x78, 0x95, 0x9C, 0x9C, 0x9F, 0x02}, 6},
        EncodeCase{"groups", "He[03]l[02]", {0x78, 0x95, 0x03, 0x9C, 0x02}, 5},
        EncodeCase{"lowerCase", "[1c 05 07]", {0x1C, 0x05, 0x07}, 3},
        EncodeCase{"extraBlanks", "[1C  05 07 ]", {0x1C, 0x05, 0x07}, 3},
        EncodeCase{"emptyGroup", "[ ]A", {0x71}, 1},
        EncodeCase{"lastTwoDigits", "[ABC]", {0xBC}, 1},
        EncodeCase{"nonDigitIsZero", "[1G]", {0x10}, 1},
        EncodeCase{"lastGroupOpen", "A]B[", {}, -1},
        EncodeCase{"unbalanced", "A]B", {}, -1},
        EncodeCase{"oddlyPlaced", "[[A]]", {0x0A, 0x8D}, 2},
        EncodeCase{"hexBytes", "[78 95 02]", {0x78, 0x95, 0x02}, 3},
        EncodeCase{"empty", "", {}, 0},
        EncodeCase{"lineBreak", "Hi\r\nYo", {0x78, 0x99, 0x3D, 0x3A, 0x89, 0x9F}, 6},
        EncodeCase{"oneDigit", "[7]", {0x07}, 1},
        EncodeCase{"highCharacter", std::string("\xE0"), {0x10}, 1},
        EncodeCase{"codesOnlyEndOfFile", "[15 20 FFFFFFFF]", {0x15, 0x20, 0xFF}, 3},
        EncodeCase{"openBracketOnly", "[1C", {}, -1},
        EncodeCase{"emptyBrackets", "[]", {}, 0}),
    [](const ::testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

TEST(HexDigitValue, AcceptsBothCasesAndGivesZeroOtherwise)
{
    EXPECT_EQ(hexDigitValue('0'), 0);
    EXPECT_EQ(hexDigitValue('9'), 9);
    EXPECT_EQ(hexDigitValue('a'), 10);
    EXPECT_EQ(hexDigitValue('F'), 15);
    EXPECT_EQ(hexDigitValue('g'), 0);
    EXPECT_EQ(hexDigitValue('['), 0);
}

TEST(ParseBracketGroup, GivesTokenValuesInOrder)
{
    EXPECT_EQ(parseBracketGroup("[1C 05 07 02]"), (std::vector<std::uint32_t>{0x1C, 0x05, 0x07, 0x02}));
    EXPECT_EQ(parseBracketGroup("[  ]"), std::vector<std::uint32_t>{});
    EXPECT_EQ(parseBracketGroup("[ABC 1]"), (std::vector<std::uint32_t>{0xABC, 0x1}));
}

class WriteTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<std::uint8_t> block = gameText("Goodbye");
        block.push_back(0x02);
        image.put(0x400, block);
        path = image.writeTo(dir.file("w.smc"));
        ASSERT_TRUE(rom.open(path.string()));
    }
    TempDir dir;
    TestImage image{0x1000};
    std::filesystem::path path;
    RomFile rom;
};

TEST_F(WriteTextTest, WritesOnlyTheEncodedBytesAndLeavesTheRest)
{
    EXPECT_EQ(writeText(rom, 0x400, "Hi[02]"), WriteStatus::Written);
    const auto onDisk = readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(onDisk.begin() + 0x400, onDisk.begin() + 0x408),
        bytes({gameText("Hi"), {0x02}, gameText("dbye"), {0x02}}));
    EXPECT_EQ(onDisk[0x3FF], 0x00);
}

TEST_F(WriteTextTest, RefusesBracketErrorsAndOffsetsOutsideTheFileWithoutWriting)
{
    EXPECT_EQ(writeText(rom, 0x400, "Hi[02"), WriteStatus::Failed);
    EXPECT_EQ(writeText(rom, -0x100, "Hi[02]"), WriteStatus::OutsideFile);
    EXPECT_EQ(writeText(rom, 0xFFE, "Hi[02]"), WriteStatus::OutsideFile) << "the end code would lie past the end";
    EXPECT_EQ(writeText(rom, 0x1000, "H"), WriteStatus::OutsideFile);
    EXPECT_EQ(readFile(path), image.data());
    EXPECT_EQ(writeText(rom, 0x400, "Yo"), WriteStatus::Written) << "a refused write does not block the next one";
    EXPECT_EQ(writeText(rom, 0xFFD, "Hi[02]"), WriteStatus::Written) << "the last three bytes";
}

} // namespace
