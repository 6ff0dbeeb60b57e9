// Options > Compress when writing: the size line, Apply Changes, Import and
// Move text write the shortest bytes with the image's dictionary; off, every
// write is as it always was.
#include "WindowFixture.h"

#include <algorithm>
#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& data, std::size_t at, std::size_t n)
{
    return {data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

class CompressWhenWriting : public MainDialogTest {};

TEST_F(CompressWhenWriting, IsACheckItemOfItsOwnOffAtStartAndGrayWithoutARom)
{
    const ui::MenuTemplate& options = (*ui::findMenuTemplate(ids::MainMenu))[3];
    ASSERT_EQ(options.caption, "&Options");
    const auto compress = std::find_if(options.items.begin(), options.items.end(),
        [](const ui::MenuItemTemplate& item) { return item.id == ids::OptionsCompressWhenWriting; });
    ASSERT_NE(compress, options.items.end());
    EXPECT_EQ(compress->caption, "Compress &when writing");
    EXPECT_EQ(std::prev(compress)->caption, "Prevent &Overwrites") << "the items before it stay as they were";
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsCompressWhenWriting));
    EXPECT_FALSE(window.isMenuItemEnabled(ids::OptionsCompressWhenWriting));
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsUseCompression)) << "the gizmo item is untouched";
    open(write(standardImage()));
    EXPECT_TRUE(window.isMenuItemEnabled(ids::OptionsCompressWhenWriting));
    window.chooseMenu(ids::FileClose);
    EXPECT_FALSE(window.isMenuItemEnabled(ids::OptionsCompressWhenWriting));
}

TEST_F(CompressWhenWriting, AnUnchangedBlockWithReferencesFitsAgainAndIsWrittenByteForByte)
{
    const auto path = write(standardImage());
    open(path);
    const auto before = readFile(path);
    window.clickRow(ids::ListView, 1);
    EXPECT_EQ(text(ids::EditBox), "Go to Onett![03 02]");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 14 (uncompressed)");
    window.clickButton(ids::ApplyButton);
    ASSERT_EQ(window.messages.size(), 1u) << "off: the dictionary string outgrows its block, as always";
    EXPECT_EQ(window.messages[0].caption, "Pre-Write Error");

    ASSERT_TRUE(window.chooseMenu(ids::OptionsCompressWhenWriting));
    EXPECT_TRUE(window.isMenuItemChecked(ids::OptionsCompressWhenWriting));
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 11 (compressed)");
    EXPECT_EQ(text(ids::SizeLabel), "Size: 11");
    window.clickButton(ids::ApplyButton);
    EXPECT_EQ(window.messages.size(), 1u) << "on: it fits where it stood";
    EXPECT_EQ(readFile(path), before) << "the reference is written back as it was";

    window.typeText(ids::EditBox, "Onett, Onett![02]");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 8 (compressed)");
    window.clickButton(ids::ApplyButton);
    EXPECT_EQ(slice(readFile(path), 0x51D20, 8), bytes({{0x15, 0x02}, gameText(", "), {0x15, 0x02}, gameText("!"), {0x02}}));
    EXPECT_EQ(text(ids::EditBox), "Onett, Onett![02]");
    window.typeText(ids::EditBox, "Onett[02");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: Unknown");

    window.chooseMenu(ids::OptionsCompressWhenWriting);
    EXPECT_FALSE(window.isMenuItemChecked(ids::OptionsCompressWhenWriting));
    window.typeText(ids::EditBox, "Onett[02]");
    EXPECT_EQ(text(ids::CurrentSizeLabel), "Current Size: 6 (uncompressed)");
}

TEST_F(CompressWhenWriting, ImportAndMoveTextWriteCompressedToo)
{
    const auto path = write(standardImage(0x300200));
    open(path);
    window.chooseMenu(ids::ToolsDumpText);
    std::string dump = readTextFile(dir.file("ptrlist.txt"));
    dump.replace(dump.find("Hello"), 5, "Onett");
    std::ofstream(dir.file("edited.txt")) << dump;
    window.chooseMenu(ids::OptionsCompressWhenWriting);
    window.fileAnswers.push_back({dir.file("edited.txt").string(), "edited.txt"});
    ASSERT_TRUE(window.chooseMenu(ids::ToolsImportText));
    EXPECT_EQ(window.messages.back().text, "1 row changed, 3 rows unchanged.");
    EXPECT_EQ(slice(readFile(path), 0x51D12, 3), (std::vector<std::uint8_t>{0x15, 0x02, 0x02}));

    window.chooseMenu(ids::ToolsExpandRom);
    window.clickRow(ids::ListView, 0);
    window.typeText(ids::EditBox, "the the the Onett[02]");
    ASSERT_TRUE(window.chooseMenu(ids::ToolsMoveText));
    EXPECT_EQ(slice(readFile(path), 0x300200, 9), (std::vector<std::uint8_t>{0x15, 0x01, 0x15, 0x01, 0x15, 0x01, 0x15, 0x02, 0x02}));
    EXPECT_EQ(text(ids::EditBox), "the the the Onett[02]");
}

} // namespace
