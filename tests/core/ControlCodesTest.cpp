// The control code table and the two ways of grouping a code with its
// argument bytes: the editor's classic table and the game's own reading.
#include "text/ControlCodes.h"
#include "text/TextDecoder.h"
#include "text/TextItems.h"
#include "text/TextNotes.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace scrivlet;

namespace {

using Bytes = std::vector<std::uint8_t>;

int firstItemLength(const Bytes& bytes, CodeGrouping grouping) { return textItems(bytes, grouping).front().length; }

Bytes keyOf(const ControlCodeInfo& row)
{
    Bytes key{static_cast<std::uint8_t>(row.code)};
    if (row.subCode >= 0)
        key.push_back(static_cast<std::uint8_t>(row.subCode));
    return key;
}

TEST(ControlCodeTable, HoldsEveryRowOnceAndFindsCodesBySubCode)
{
    const ControlCodeTable& table = controlCodeTable();
    ASSERT_EQ(table.rows().size(), 216u);
    EXPECT_EQ(table.find(0x1C, 0x02)->name, "print_char_name");
    EXPECT_EQ(table.find(0x03, -1)->kind, "wait");
    EXPECT_EQ(table.find(0x03, 0x55), table.find(0x03, -1)) << "a code without sub-code rows ignores the next byte";
    EXPECT_EQ(table.find(0x1F, 0x40), nullptr) << "in the game, but in no list";
    EXPECT_EQ(table.find(0x1C, -1), nullptr) << "a code with sub-code rows needs one";
    EXPECT_TRUE(table.hasSubCodes(0x1F));
    EXPECT_FALSE(table.hasSubCodes(0x08));
    EXPECT_EQ(table.find(0x1C, 0x02)->inserts, 5);
    EXPECT_EQ(table.find(0x1A, 0x00)->addressAt, (std::vector<int>{2, 6, 10, 14})) << "the party menu's four addresses";
    EXPECT_EQ(table.find(0x06, -1)->addressAt, (std::vector<int>{3}));
    EXPECT_TRUE(table.find(0x19, 0x02)->addressAfterString);
}

TEST(ControlCodeTable, AMalformedTableIsRefusedWithItsLine)
{
    const std::string header = "bytes\tgame_length\teditor_length\tkind\tname\taddress_at\tcount_at\tconditional\tdescription\tinserts\n";
    EXPECT_NO_THROW(ControlCodeTable("# comment\n" + header + "03\t1\t1\twait\tw\t\t\tno\tWait\t\n"));
    EXPECT_THROW(ControlCodeTable(header + "03\t1\t1\twait\n"), std::runtime_error) << "too few fields";
    EXPECT_THROW(ControlCodeTable(header + "3X\t1\t1\twait\tw\t\t\tno\tWait\t\n"), std::runtime_error);
    EXPECT_THROW(ControlCodeTable(header + "03\tn\t1\twait\tw\t\t\tno\tWait\t\n"), std::runtime_error) << "unknown formula";
    EXPECT_THROW(ControlCodeTable(header + "20\t1\t1\twait\tw\t\t\tno\tWait\t\n"), std::runtime_error) << "not a code";
    try {
        ControlCodeTable(header + "03\t1\t1\twait\tw\t\t\tno\tWait\t\n03\t1\t1\twait\tw\t\t\tno\tWait\t\n");
        ADD_FAILURE() << "a second row for the same bytes was taken";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

// Every row of fixed length: the game grouping takes exactly the table's game
// length, and the classic grouping the table's editor length.
TEST(CodeGrouping, EachFixedRowTakesTheTablesLengthInBothGroupings)
{
    int differing = 0, checked = 0;
    for (const ControlCodeInfo& row : controlCodeTable().rows()) {
        if (row.gameLength.find_first_not_of("0123456789") != std::string::npos)
            continue;
        if (row.code >= 0x15 && row.code <= 0x17)
            continue; // dictionary references: two bytes in both, read before any code
        Bytes bytes = keyOf(row);
        bytes.resize(40, 0x50); // argument bytes that are no codes
        bytes.push_back(0x02);
        EXPECT_EQ(firstItemLength(bytes, CodeGrouping::Game), std::stoi(row.gameLength)) << row.bytes;
        EXPECT_EQ(firstItemLength(bytes, CodeGrouping::Classic), row.editorLength) << row.bytes;
        differing += std::stoi(row.gameLength) != row.editorLength;
        ++checked;
    }
    EXPECT_EQ(checked, 210);
    EXPECT_EQ(differing, 118) << "with 09 and 19 02, 120 rows differ";
}

TEST(CodeGrouping, FormulaRowsCountTheirAddressesAndStrings)
{
    const auto game = [](const Bytes& b) { return firstItemLength(b, CodeGrouping::Game); };
    EXPECT_EQ(game({0x09, 0x00, 0x50}), 2);
    EXPECT_EQ(game({0x09, 0x02, 1, 2, 3, 4, 5, 6, 7, 8, 0x50}), 10);
    EXPECT_EQ(firstItemLength({0x09, 0x02, 1, 2}, CodeGrouping::Classic), 1) << "the classic table reads no list";
    EXPECT_EQ(game({0x1F, 0xC0, 0x01, 1, 2, 3, 4, 0x50}), 7);
    EXPECT_EQ(firstItemLength({0x1F, 0xC0, 0x01, 1, 2, 3, 4, 0x50}, CodeGrouping::Classic), 7) << "the same in both";
    // 19 02: the string up to its 02, or its 01 and an address; the first byte is always string.
    EXPECT_EQ(game({0x19, 0x02, 0x71, 0x72, 0x02, 0x50}), 5);
    EXPECT_EQ(game({0x19, 0x02, 0x71, 0x01, 0x12, 0x1B, 0xC5, 0x00, 0x50}), 8);
    EXPECT_EQ(game({0x19, 0x02, 0x02, 0x71, 0x02, 0x50}), 5) << "a first byte 02 belongs to the string";
    EXPECT_EQ(game({0x19, 0x02, 0x01, 0x71, 0x02}), 5);
    EXPECT_EQ(game({0x19, 0x02, 0x71, 0x72}), 4) << "a string that meets the end of the data ends there";
}

TEST(CodeGrouping, WhereTheBlockEndsDependsOnTheGrouping)
{
    const auto size = [](const Bytes& b, CodeGrouping g) { return decodeBytes(b, true, {}, DecodeByteLimit, g).size; };
    const auto text = [](const Bytes& b, CodeGrouping g) { return decodeBytes(b, true, {}, DecodeByteLimit, g).text; };
    // A code the classic table reads too far: it swallows the real end code.
    const Bytes overRead{0x1B, 0x05, 0x02, 0x71, 0x72, 0x73, 0x02};
    EXPECT_EQ(size(overRead, CodeGrouping::Classic), 7);
    EXPECT_EQ(size(overRead, CodeGrouping::Game), 3);
    EXPECT_EQ(text(overRead, CodeGrouping::Game), "[1B 05 02]");
    // A code the classic table reads too short: its argument 02 ends the block early.
    const Bytes underRead{0x1D, 0x00, 0x02, 0x00, 0x71, 0x02};
    EXPECT_EQ(size(underRead, CodeGrouping::Classic), 3);
    EXPECT_EQ(size(underRead, CodeGrouping::Game), 6);
    // 0A jumps for good; 19 02's own 02 does not end the block in the game.
    EXPECT_EQ(size({0x0A, 0x12, 0x1B, 0xC5, 0x00, 0x71, 0x02}, CodeGrouping::Game), 5);
    EXPECT_EQ(size({0x19, 0x02, 0x71, 0x02, 0x72, 0x02}, CodeGrouping::Game), 6);
    EXPECT_EQ(size({0x19, 0x02, 0x71, 0x02, 0x72, 0x02}, CodeGrouping::Classic), 26) << "classic: 25 bytes, and the block ends";
    // Bytes the game prints as glyphs stay one-byte groups; the classic table gives C6 two arguments.
    EXPECT_EQ(text({0xC6, 0x71, 0x72, 0x02}, CodeGrouping::Game), "[C6]AB[02]");
    EXPECT_EQ(text({0xC6, 0x71, 0x72, 0x02}, CodeGrouping::Classic), "[C6 71 72 02]");
}

TEST(CodeAddresses, AreTakenWhereTheTableSaysAndOnlyWhenTheGroupHoldsThemWhole)
{
    const auto addresses = [](const Bytes& code, CodeGrouping g) {
        std::vector<std::uint32_t> found;
        for (const CodeAddress& a : codeAddresses(code, g))
            found.push_back(a.address);
        return found;
    };
    using A = std::vector<std::uint32_t>;
    EXPECT_EQ(addresses({0x08, 0x12, 0x1B, 0xC5, 0x00}, CodeGrouping::Classic), A{0xC51B12});
    EXPECT_EQ(addresses({0x06, 0x01, 0x00, 0x12, 0x1B, 0xC5, 0x00}, CodeGrouping::Classic), A{0xC51B12});
    EXPECT_EQ(addresses({0x08, 0x12, 0x1B}, CodeGrouping::Classic), A{}) << "cut short";
    Bytes menu{0x1A, 0x00};
    for (std::uint8_t i = 0; i < 4; ++i)
        menu.insert(menu.end(), {static_cast<std::uint8_t>(0x10 + i), 0x1B, 0xC5, 0x00});
    menu.push_back(0x07);
    EXPECT_EQ(addresses(menu, CodeGrouping::Game), (A{0xC51B10, 0xC51B11, 0xC51B12, 0xC51B13}));
    EXPECT_EQ(addresses({0x1A, 0x00}, CodeGrouping::Classic), A{}) << "the classic grouping reads no addresses there";
    EXPECT_EQ(addresses({0x09, 0x02, 0x00, 0x00, 0xC6, 0x00, 0x40, 0x00, 0xC6, 0x00}, CodeGrouping::Game), (A{0xC60000, 0xC60040}));
    EXPECT_EQ(addresses({0x1F, 0xC0, 0x01, 0x00, 0x00, 0xC6, 0x00}, CodeGrouping::Classic), A{0xC60000});
    const Bytes option{0x19, 0x02, 0x71, 0x01, 0x12, 0x1B, 0xC5, 0x00};
    EXPECT_EQ(addresses(option, CodeGrouping::Game), A{0xC51B12});
    EXPECT_EQ(addresses(option, CodeGrouping::Classic), A{}) << "19 02 points only as the game reads it";
    EXPECT_EQ(addresses({0x19, 0x02, 0x71, 0x02}, CodeGrouping::Game), A{}) << "a string ended by 02 carries none";
    EXPECT_EQ(addresses({0x1C, 0x02, 0x01}, CodeGrouping::Game), A{});
}

TEST(CodeNotes, NameTheCodesOfTheGroupAtTheCaretAndTheAddressTheyPointAt)
{
    const std::string text = "Hi [1C 02 01 03] [08 12 1B C5 00]x[02]";
    EXPECT_EQ(codeNamesNote(text, 5, CodeGrouping::Classic),
        "1C 02 print_char_name: " + controlCodeTable().find(0x1C, 2)->description + "; 03 wait_prompt: "
            + controlCodeTable().find(0x03, -1)->description);
    EXPECT_EQ(codeNamesNote(text, 3, CodeGrouping::Classic).substr(0, 5), "1C 02") << "just before the [";
    EXPECT_EQ(codeNamesNote(text, 16, CodeGrouping::Classic).substr(0, 5), "1C 02") << "just after the ]";
    EXPECT_EQ(codeNamesNote(text, 1, CodeGrouping::Classic), "") << "outside any group";
    EXPECT_EQ(codeNamesNote("[1F 40 00]", 2, CodeGrouping::Game), "1F 40: not in the code table; 00 line_break: "
        + controlCodeTable().find(0x00, -1)->description) << "a form without a row keeps the classic count";
    EXPECT_EQ(caretNote("Caf\u00E9", 5, CodeGrouping::Classic), "\u00E9 is written as byte 19, a control code");

    const auto target = targetAtPlace(text, 20, CodeGrouping::Classic);
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->address, 0xC51B12u);
    EXPECT_FALSE(targetAtPlace(text, 5, CodeGrouping::Classic).has_value()) << "1C 02 points nowhere";
    EXPECT_FALSE(targetAtPlace("[08 12 1B C5 00", 3, CodeGrouping::Classic).has_value()) << "a group never closed";
    // A code with four addresses: the one whose bytes hold the caret.
    const std::string menu = "[1A 00 10 1B C5 00 11 1B C5 00 12 1B C5 00 13 1B C5 00 07]";
    EXPECT_EQ(targetAtPlace(menu, 32, CodeGrouping::Game)->address, 0xC51B12u);
    EXPECT_EQ(targetAtPlace(menu, 2, CodeGrouping::Game)->address, 0xC51B10u) << "on the code itself: the first";
}

} // namespace
