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
        // A group is two-digit hex bytes separated by blanks, or it is refused whole.
        EncodeCase{"threeDigits", "[ABC]", {}, -1},
        EncodeCase{"nonDigit", "[1G]", {}, -1},
        EncodeCase{"twoBytesRunTogether", "[1C02 01]", {}, -1},
        EncodeCase{"word", "[hello]", {}, -1},
        EncodeCase{"letters", "[zz]", {}, -1},
        EncodeCase{"xInside", "[1x9]", {}, -1},
        EncodeCase{"oddDigits", "[123]", {}, -1},
        EncodeCase{"lastGroupOpen", "A]B[", {}, -1},
        EncodeCase{"unbalanced", "A]B", {}, -1},
        EncodeCase{"oddlyPlaced", "[[A]]", {}, -1},
        EncodeCase{"hexBytes", "[78 95 02]", {0x78, 0x95, 0x02}, 3},
        EncodeCase{"empty", "", {}, 0},
        EncodeCase{"lineBreak", "Hi\r\nYo", {0x78, 0x99, 0x3D, 0x3A, 0x89, 0x9F}, 6},
        EncodeCase{"oneDigit", "[7]", {}, -1},
        // UTF-8: a character below U+0100 is written by offset, one above has no byte.
        EncodeCase{"latinSmallAWithGrave", "\u00E0", {0x10}, 1},
        EncodeCase{"eAcute", "Caf\u00E9", {0x73, 0x91, 0x96, 0x19}, 4},
        EncodeCase{"curlyApostrophe", "I\u2019m", {}, -1},
        EncodeCase{"notUtf8", std::string("\xE0"), {}, -1},
        EncodeCase{"codesOnlyEndOfFile", "[15 20 FFFFFFFF]", {}, -1},
        EncodeCase{"openBracketOnly", "[1C", {}, -1},
        EncodeCase{"emptyBrackets", "[]", {}, 0}),
    [](const ::testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

TEST(TextFaults, SayWhatIsWrongAndWhereInCharacters)
{
    const auto only = [](std::string_view text, OtherCharacters others = OtherCharacters::ByOffset) {
        const EncodedText e = encodeDisplayText(text, others);
        return e.fault ? textFaultSentence(text, *e.fault) : std::string("no fault");
    };
    EXPECT_EQ(only("Hi [1C02 01]"),
        "The group \"[1C02 01]\" at character 4 is not two-digit hex bytes separated by spaces, such as [1C 02 01]");
    EXPECT_EQ(only("\u00E9[zz]"), "The group \"[zz]\" at character 2 is not two-digit hex bytes separated by spaces, such as [1C 02 01]")
        << "places count characters, not bytes";
    EXPECT_EQ(only("I\u2019m"), "\"\u2019\" at character 2 has no byte in the game's text");
    EXPECT_EQ(only("ab\xFF"), "Byte FF at character 3 is not part of UTF-8 text");
    EXPECT_EQ(only("[1C"), "The group \"[1C\" at character 1 never closes with \"]\"");
    EXPECT_EQ(only("A]B"), "The \"]\" at character 2 does not pair up with another bracket");
    EXPECT_EQ(only("Caf\u00E9", OtherCharacters::Refused),
        "\"\u00E9\" at character 4 is not one of the game's characters (space to z); write its byte as a group, such as [19]");
    EXPECT_EQ(only("a\r\nb", OtherCharacters::Refused),
        "\"a carriage return\" at character 2 is not one of the game's characters (space to z); write its byte as a group, such as [19]");
    EXPECT_EQ(only("Cafe [1C 02 01][02]", OtherCharacters::Refused), "no fault");
    // Every fault, for the marks.
    EXPECT_EQ(textFaults("[1G] ok [zz] \u2019"), (std::vector<TextFaultAt>{{TextFault::BadGroup, 0, 4}, {TextFault::BadGroup, 8, 12},
                                                      {TextFault::NoGameByte, 13, 16}}));
}

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
