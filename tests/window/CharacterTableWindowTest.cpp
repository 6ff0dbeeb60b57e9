#include "WindowFixture.h"

#include "edit/Messages.h"
#include "text/CharacterTable.h"

#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class CharacterTableWindow : public MainDialogTest {
protected:
    void TearDown() override
    {
        currentCharacterTable() = CharacterTable{};
        MainDialogTest::TearDown();
    }
    void writeTable(const std::string& name, const std::string& contents) { std::ofstream(dir.file(name), std::ios::binary) << contents; }
    std::string lastMessage() const { return window.messages.empty() ? "" : window.messages.back().text; }
};

constexpr const char* Spanish = "B0=á\nB1=é\nB2=í\nB3=ó\nB4=ú\nB5=ñ\nB8=¿\nB9=¡\n";

} // namespace

TEST_F(CharacterTableWindow, TheTableBesideTheRomIsReadAtOpenAndTypedLettersAreWrittenAsItsBytes)
{
    TestImage image = standardImage();
    image.put(0x51D50, {0xB8, 0x81, 0xA5, 0xB1, 0x02}); // ¿Qué
    const fs::path path = write(image);
    writeTable("rom.tbl", Spanish);
    open(path);
    EXPECT_EQ(text(ids::CaretNote), "Using the character table rom.tbl (8 entries).");
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "¿Qué");
    window.clickRow(ids::ListView, 3);
    EXPECT_EQ(text(ids::EditBox), "¿Qué[02]");

    window.clickRow(ids::ListView, 0);
    window.typeText(ids::EditBox, "¡Sí![02]");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 5 (uncompressed)");
    window.clickButton(ids::ApplyButton);
    const auto after = readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(after.begin() + 0x51D12, after.begin() + 0x51D18),
        (std::vector<std::uint8_t>{0xB9, 0x83, 0xB2, 0x51, 0x02, 0x02}));
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "¡Sí!");
}

TEST_F(CharacterTableWindow, OptionsChoosesAnotherTableOrNoneAndRefusesABrokenOneKeepingTheOld)
{
    TestImage image = standardImage();
    image.put(0x51D50, {0xB8, 0x81, 0xA5, 0xB1, 0x02});
    const fs::path path = write(image);
    open(path);
    EXPECT_TRUE(window.isMenuItemEnabled(ids::OptionsCharacterTable));
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "Qu");

    writeTable("broken.tbl", "B0=á\nB0=a\n");
    window.fileAnswers.push_back({dir.file("broken.tbl").string(), "broken.tbl"});
    window.chooseMenu(ids::OptionsCharacterTable);
    EXPECT_EQ(lastMessage(), "The character table broken.tbl cannot be used: line 2: byte B0 is given a second time (first on line 1).");
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "Qu");

    writeTable("es.tbl", Spanish);
    window.fileAnswers.push_back({dir.file("es.tbl").string(), "es.tbl"});
    window.chooseMenu(ids::OptionsCharacterTable);
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "¿Qué");
    EXPECT_EQ(text(ids::CaretNote), "Using the character table es.tbl (8 entries).");

    // In use: Yes chooses a file, No reads the text without a table.
    window.answers.push_back(ui::Answer::No);
    window.chooseMenu(ids::OptionsCharacterTable);
    EXPECT_EQ(window.messages.back().buttons, (std::vector<std::string>{"Yes", "No", "Cancel"}));
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "Qu");
    EXPECT_EQ(text(ids::CaretNote), messages::NoCharacterTable);

    window.chooseMenu(ids::FileClose);
    EXPECT_FALSE(window.isMenuItemEnabled(ids::OptionsCharacterTable));
}

TEST_F(CharacterTableWindow, TheTableChosenForARomIsUsedWhenItOpensAgainBeforeTheOneBesideIt)
{
    TestImage image = standardImage();
    image.put(0x51D50, {0xB8, 0x81, 0xA5, 0xB1, 0x02});
    const fs::path path = write(image);
    writeTable("rom.tbl", "B8=?\n");
    writeTable("es.tbl", Spanish);
    open(path);
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "?Qu");
    window.answers.push_back(ui::Answer::Yes);
    window.fileAnswers.push_back({dir.file("es.tbl").string(), "es.tbl"});
    window.chooseMenu(ids::OptionsCharacterTable);
    window.chooseMenu(ids::FileClose);
    open(path);
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "¿Qué");
    EXPECT_EQ(text(ids::CaretNote), "Using the character table es.tbl (8 entries).");

    // None, chosen, is remembered too; another ROM still reads the table beside it.
    window.answers.push_back(ui::Answer::No);
    window.chooseMenu(ids::OptionsCharacterTable);
    open(path);
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "Qu");
    const fs::path other = write(image, "other.smc");
    writeTable("other.tbl", Spanish);
    open(other);
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "¿Qué");

    // A remembered table that is gone is said, and the ROM opens without a table.
    window.answers.push_back(ui::Answer::Yes);
    window.fileAnswers.push_back({dir.file("es.tbl").string(), "es.tbl"});
    window.chooseMenu(ids::OptionsCharacterTable);
    fs::remove(dir.file("es.tbl"));
    open(other);
    EXPECT_EQ(lastMessage(), "The character table es.tbl cannot be used: it cannot be read.  The text is shown without a table.");
    EXPECT_EQ(window.listRowText(ids::ListView, 3), "Qu");
}

TEST_F(CharacterTableWindow, ABrokenTableBesideTheRomIsSaidAndTheRomOpensWithoutIt)
{
    const fs::path path = write(standardImage());
    writeTable("rom.tbl", "# ok\nB0 = a\n");
    open(path);
    EXPECT_EQ(lastMessage(), "The character table rom.tbl cannot be used: line 2: \"B0 \" before \"=\" is not hexadecimal.  The text is shown without a table.");
    EXPECT_EQ(window.listRowText(ids::ListView, 0), "Hello");
    EXPECT_TRUE(currentCharacterTable().empty());
}
