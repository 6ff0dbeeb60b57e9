#include "text/CharacterTable.h"
#include "text/CompressionDictionary.h"
#include "text/TextCompressor.h"
#include "text/TextDecoder.h"
#include "text/TextEncoder.h"
#include "text/TextNotes.h"

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

// The table every decode and encode reads, set for one test and cleared after it.
class WithTable : public ::testing::Test {
protected:
    void use(std::string_view contents)
    {
        TableParse parsed = parseCharacterTable(contents);
        ASSERT_TRUE(parsed.table) << parsed.refusal;
        currentCharacterTable() = std::move(*parsed.table);
    }
    void TearDown() override { currentCharacterTable() = CharacterTable{}; }
};

constexpr std::string_view Spanish = "# the sample's letters\n"
                                     "B0=á\nB1=é\nB2=í\r\nB3=ó\nB4=ú\nB5=ñ\n"
                                     "\n"
                                     "B6=ü\nB7=ç\nB8=¿\nB9=¡\nBA=Ğ\nBB=ll\n";

std::string refusalOf(std::string_view contents)
{
    const TableParse parsed = parseCharacterTable(contents);
    EXPECT_FALSE(parsed.table) << contents;
    return parsed.refusal;
}

} // namespace

TEST(CharacterTableParse, EveryRefusalNamesItsLineAndWhy)
{
    EXPECT_EQ(refusalOf("B0=a\nB0=b\n"), "line 2: byte B0 is given a second time (first on line 1)");
    EXPECT_EQ(refusalOf("\n\n# c\nB0\n"), "line 4: \"B0\" is not HEX=TEXT");
    EXPECT_EQ(refusalOf("10=a\n"), "line 1: byte 10 is a control code; only bytes 20 to FF stand for text");
    EXPECT_EQ(refusalOf("B0=\n"), "line 1: byte B0 has no text after \"=\"");
    EXPECT_EQ(refusalOf("B0=a[b\n"), "line 1: the text of byte B0 holds \"[\" or \"]\", which begin and end control codes");
    EXPECT_EQ(refusalOf("B0=]\n"), "line 1: the text of byte B0 holds \"[\" or \"]\", which begin and end control codes");
    EXPECT_EQ(refusalOf("B0B1=ab\n"), "line 1: \"B0B1\" is not one byte (two hex digits); only single bytes stand for text");
    EXPECT_EQ(refusalOf("B=a\n"), "line 1: \"B\" is not one byte (two hex digits); only single bytes stand for text");
    EXPECT_EQ(refusalOf("=a\n"), "line 1: there is no byte before \"=\"");
    EXPECT_EQ(refusalOf("G0=a\n"), "line 1: \"G0\" before \"=\" is not hexadecimal");
    EXPECT_EQ(refusalOf("*03\n"),
        "line 1: \"*03\" is a line-break or end-of-text entry; Scrivlet writes control codes as bracket groups, so a table holds only HEX=TEXT lines");
    EXPECT_EQ(refusalOf("B0=\xE9\n"), "line 1: the text of byte B0 is not UTF-8");
    EXPECT_EQ(refusalOf("B0=a\tb\n"), "line 1: the text of byte B0 holds a control character (a tab)");
}

TEST(CharacterTableParse, KeepsSpacesAndReadsCommentsBlanksCrLfAndAByteOrderMark)
{
    const TableParse parsed = parseCharacterTable("\xEF\xBB\xBF# c\r\n\r\n   \nb0= x \r\nFF=end");
    ASSERT_TRUE(parsed.table) << parsed.refusal;
    EXPECT_EQ(parsed.table->entryCount(), 2);
    EXPECT_EQ(parsed.table->text(0xB0), " x ");
    EXPECT_EQ(parsed.table->text(0xFF), "end");
    EXPECT_FALSE(parsed.table->has(0xB1));
}

TEST(CharacterTableParse, LongestTextMatchesAndTheFirstLineWinsATie)
{
    const TableParse parsed = parseCharacterTable("B0=l\nB1=ll\nB2=lla\nB3=ll\n");
    ASSERT_TRUE(parsed.table);
    const CharacterTable& table = *parsed.table;
    EXPECT_EQ(table.matchAt("llama", 0)->byte, 0xB2);
    EXPECT_EQ(table.matchAt("llama", 0)->length, 3u);
    EXPECT_EQ(table.matchAt("lle", 0)->byte, 0xB1); // not B3, a later line with the same text
    EXPECT_EQ(table.matchAt("le", 0)->byte, 0xB0);
    EXPECT_FALSE(table.matchAt("ale", 0));
}

TEST(CharacterTablePlace, SitsBesideTheImageWithItsName)
{
    EXPECT_EQ(tablePathBeside("/a/b/game.smc"), "/a/b/game.tbl");
    EXPECT_EQ(tablePathBeside("/a.d/game"), "/a.d/game.tbl");
    EXPECT_EQ(tablePathBeside("C:\\x.y\\game.sfc"), "C:\\x.y\\game.tbl");
    CharacterTable table;
    table.source = "/a/b/game.tbl";
    table.add(0xB0, "á");
    EXPECT_EQ(tableInUseNote(table), "Using the character table game.tbl (1 entry).");
}

TEST_F(WithTable, EveryMappedTextRoundTripsThroughEncodeAndDecode)
{
    use(Spanish);
    const CharacterTable& table = currentCharacterTable();
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (!table.has(b))
            continue;
        const std::string text = "A" + table.text(b) + "z[02]";
        const EncodedText encoded = encodeDisplayText(text, OtherCharacters::Refused);
        ASSERT_TRUE(encoded.ok()) << text;
        const std::vector<std::uint8_t> expected{0x71, static_cast<std::uint8_t>(b), 0xAA, 0x02};
        EXPECT_EQ(encoded.bytes, expected) << text;
        EXPECT_EQ(decodeBytes(encoded.bytes, true).text, text);
    }
    EXPECT_EQ(encodeDisplayText("¿Qué tal, ñandú?").bytes,
        (std::vector<std::uint8_t>{0xB8, 0x81, 0xA5, 0xB1, 0x50, 0xA4, 0x91, 0x9C, 0x5C, 0x50, 0xB5, 0x91, 0x9E, 0x94, 0xB4, 0x6F}));
}

TEST_F(WithTable, BytesWithoutAnEntryKeepTheirMeaning)
{
    use(Spanish);
    // B0 is a letter now; BF has no entry and stays a code, 0x19 a control code.
    const std::vector<std::uint8_t> bytes{0xB0, 0xBF, 0x71, 0x02};
    EXPECT_EQ(decodeBytes(bytes, true).text, "á[BF]A[02]");
    EXPECT_EQ(decodeBytes(bytes, false).text, "áA");
    EXPECT_EQ(decodeBytes(bytes, true).size, 4);
    // é without an entry of its own would be written by its offset, as byte 19.
    currentCharacterTable() = CharacterTable{};
    EXPECT_EQ(encodeDisplayText("é").bytes, std::vector<std::uint8_t>{0x19});
}

TEST_F(WithTable, ACharacterWhoseByteTheTableGivesAwayIsRefusedAndMarked)
{
    use("51=¡\n");
    const EncodedText encoded = encodeDisplayText("Hi!");
    ASSERT_TRUE(encoded.fault);
    EXPECT_EQ(encoded.fault->kind, TextFault::TakenByTable);
    EXPECT_EQ(textFaultSentence("Hi!", *encoded.fault), "\"!\" at character 3 has no byte: the character table gives byte 51 to \"¡\"");
    EXPECT_EQ(unshowableRanges("¡Hi!"), (std::vector<std::pair<std::size_t, std::size_t>>{{4, 5}}));
    EXPECT_EQ(writtenAsNote("Hi!", 3), "! has no byte: the character table gives byte 51 to ¡; Apply Changes refuses it");
    EXPECT_EQ(writtenAsNote("Hi¡", 4), "¡ is byte 51 by the character table");
    EXPECT_EQ(writtenAsNote("Hi", 2), "");
}

TEST_F(WithTable, DictionaryStringsAreShownThroughTheTable)
{
    use("91=ä\n"); // 'a'
    CompressionDictionary dictionary;
    std::snprintf(dictionary.slots[1].data(), dictionary.slots[1].size(), "%s", "at a ");
    const std::vector<std::uint8_t> bytes{0x15, 0x01, 0x02};
    EXPECT_EQ(decodeBytes(bytes, true, dictionary).text, "ät ä [02]");
    // Compression works on bytes: the table changes what they show, not which match.
    EncodedText plain = encodeDisplayText("ät ä [02]");
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(compressEncoded(plain, dictionary, CodeGrouping::Classic), bytes);
}

TEST_F(WithTable, AGroupOfAByteTheTableMapsSaysWhatTheTableWritesItAs)
{
    use("B0=á\n");
    EXPECT_EQ(codeNamesNote("x[B0 02]", 3, CodeGrouping::Classic), "B0: á by the character table; 02 end_block: Stop reading; marks the end of this text block");
    EXPECT_EQ(codeNamesNote("x[B1]", 3, CodeGrouping::Classic), "B1: not in the code table");
}
