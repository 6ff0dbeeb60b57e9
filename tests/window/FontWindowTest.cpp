#include "WindowFixture.h"

#include "cli/SampleFont.h"
#include "cli/SampleImage.h"
#include "edit/Messages.h"
#include "rom/RomAddress.h"
#include "text/CharacterTable.h"
#include "text/GameFont.h"
#include "tools/FontPictures.h"

#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class FontWindow : public MainDialogTest {
protected:
    void TearDown() override
    {
        currentCharacterTable() = CharacterTable{};
        MainDialogTest::TearDown();
    }
    fs::path openSample(bool expanded)
    {
        TestImage image(0);
        image.data() = buildSampleImage(expanded);
        const fs::path path = write(image, "sample.smc");
        std::ofstream(dir.file("sample.tbl"), std::ios::binary) << sampleCharacterTable();
        open(path);
        return path;
    }
    // Runs Tools > Font with `user` acting in it; the window is cancelled after if still up.
    void inFontWindow(const std::function<void(ui::HeadlessWindow&)>& user)
    {
        platform.drivers.push_back([user](ui::HeadlessWindow& font) {
            user(font);
            if (!font.ended())
                font.clickButton(ui::IdCancel);
        });
        window.chooseMenu(ids::ToolsFont);
    }
    // The grid pixel in the middle of glyph k's cell.
    static std::pair<int, int> cellOf(int k)
    {
        return {1 + fontview::CellWidth * (k % 16) + 10, 1 + fontview::CellHeight * (k / 16) + 10};
    }
    static std::pair<int, int> largePixel(int x, int y) { return {1 + x * fontview::PixelSize + 4, 1 + y * fontview::PixelSize + 4}; }
};

} // namespace

TEST_F(FontWindow, DrawingAGlyphAndApplyingWritesItsBytesAndWidthOnceAndUndoTakesThemBack)
{
    const fs::path path = openSample(true);
    const auto before = readFile(path);
    window.chooseMenu(ids::OptionsShowPreview);
    window.clickRow(ids::ListView, 0);
    window.typeText(ids::EditBox, "[BC][02]");
    const ui::PixelImage previewBefore = window.control(ids::PreviewPane).picture;
    inFontWindow([&](ui::HeadlessWindow& font) {
        EXPECT_EQ(font.controlText(ids::GlyphLabel), "Byte 71, glyph 33 of the main font");
        font.dragOnPicture(ids::FontGrid, {cellOf(96)});
        EXPECT_EQ(font.controlText(ids::GlyphLabel), "Byte B0, glyph 96 of the main font: á in the character table");
        font.dragOnPicture(ids::FontGrid, {cellOf(108)}); // BC: blank, width 0
        EXPECT_EQ(font.controlText(ids::GlyphWidthEdit), "0");
        // A stroke down column 2 from row 4 to row 8, dragged off the bottom edge too.
        font.dragOnPicture(ids::GlyphPicture, {largePixel(2, 4), largePixel(2, 6), largePixel(2, 8), {30, 400}});
        font.typeText(ids::GlyphWidthEdit, "3");
        font.clickButton(ids::GlyphApplyButton);
        EXPECT_EQ(font.controlText(ids::FontNote), "Byte BC of the main font written; Undo last write takes it back.");
    });
    const auto after = readFile(path);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            changed.push_back(i);
    const std::size_t glyph = 0x300200 + 108 * 32, width = 0x300200 + 128 * 32 + 108;
    // Column 2 (bit 0x20 of the left strip) from row 4 to row 15: the points reported and
    // the straight strokes between them, down to the last row where the drag left the picture.
    std::vector<std::size_t> stroke;
    for (std::size_t row = 4; row < 16; ++row) {
        stroke.push_back(glyph + row);
        EXPECT_EQ(after[glyph + row], 0x20) << row;
    }
    stroke.push_back(width);
    EXPECT_EQ(changed, stroke);
    EXPECT_EQ(after[width], 3);
    EXPECT_NE(window.control(ids::PreviewPane).picture.argb, previewBefore.argb) << "the preview draws the new glyph at once";

    window.chooseMenu(ids::ToolsUndoWrite);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(text(ids::CaretNote), "Undid the change to the main font");
    EXPECT_EQ(window.control(ids::PreviewPane).picture.argb, previewBefore.argb);
}

TEST_F(FontWindow, UnappliedPixelsAreAskedAboutBeforeTheyWouldBeLost)
{
    const fs::path path = openSample(true);
    const auto before = readFile(path);
    inFontWindow([&](ui::HeadlessWindow& font) {
        font.dragOnPicture(ids::GlyphPicture, {largePixel(0, 0)});
        font.answers.push_back(ui::Answer::Cancel);
        font.dragOnPicture(ids::FontGrid, {cellOf(5)});
        EXPECT_EQ(font.messages.back().text, "The pixels or the width of byte 71 have changed.\n\nDo you want to write them to the ROM first?");
        EXPECT_EQ(font.controlText(ids::GlyphLabel).substr(0, 7), "Byte 71") << "Cancel stays on the glyph";
        font.answers.push_back(ui::Answer::No);
        font.clickButton(ui::IdCancel);
        EXPECT_TRUE(font.ended()) << "No drops the pixels and closes";
    });
    EXPECT_EQ(readFile(path), before);
    inFontWindow([&](ui::HeadlessWindow& font) {
        font.dragOnPicture(ids::GlyphPicture, {largePixel(0, 0)});
        font.answers.push_back(ui::Answer::Yes);
        font.clickButton(ui::IdCancel);
    });
    EXPECT_NE(readFile(path), before) << "Yes writes them first";
}

TEST_F(FontWindow, MakeRoomMovesTheFontOnceAndLettersPastTheRoomAreRefusedBefore)
{
    const fs::path path = openSample(false);
    inFontWindow([&](ui::HeadlessWindow& font) {
        font.dragOnPicture(ids::FontGrid, {cellOf(100)});
        EXPECT_EQ(font.controlText(ids::FontNote), messages::GlyphPastFont);
        font.dragOnPicture(ids::GlyphPicture, {largePixel(1, 1)});
        font.clickButton(ids::GlyphApplyButton);
        EXPECT_NE(font.messages.back().text.find("has room for 96 glyphs"), std::string::npos) << font.messages.back().text;
        font.answers.push_back(ui::Answer::No); // the drawn pixel dropped
        font.clickButton(ids::FontMakeRoomButton);
        EXPECT_NE(font.messages.back().text.find("this ROM is not expanded"), std::string::npos) << font.messages.back().text;
    });
    window.chooseMenu(ids::ToolsExpandRom);
    const auto expanded = readFile(path);
    inFontWindow([&](ui::HeadlessWindow& font) {
        font.clickButton(ids::FontMakeRoomButton);
        EXPECT_EQ(font.controlText(ids::FontNote), "The main font now lies at $F00000 with room for 128 letters; bytes B0-CF draw glyphs 96-127.");
        EXPECT_FALSE(font.isControlEnabled(ids::FontMakeRoomButton));
        font.clickButton(ids::FontSwitchButton);
        EXPECT_EQ(font.controlText(ids::GlyphLabel), "Byte 71, glyph 33 of the Mr. Saturn font");
        EXPECT_TRUE(font.isControlEnabled(ids::FontMakeRoomButton));
    });
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string(), RomFile::Access::ReadOnly));
    EXPECT_EQ(fontEntry(rom, FontKind::Main), FontEntry::Moved);
    rom.close();
    window.chooseMenu(ids::ToolsUndoWrite);
    EXPECT_EQ(readFile(path), expanded) << "the move taken back byte for byte";
}

TEST_F(FontWindow, AFontWhoseTableEntryIsUnknownIsShownButNeverWritten)
{
    TestImage image = standardImage(0x300200);
    const auto entry = static_cast<std::size_t>(snesToFileOffset(FontTableAddress));
    image.put(entry, {0x7A, 0x0C, 0xE1, 0x00, 0xDA, 0x0C, 0xE1, 0x00, 16, 0, 16, 0}); // 16 bytes a glyph
    const fs::path path = write(image);
    open(path);
    const auto before = readFile(path);
    inFontWindow([&](ui::HeadlessWindow& font) {
        EXPECT_NE(font.controlText(ids::FontNote).find("does not hold the game's font or a moved one"), std::string::npos);
        EXPECT_FALSE(font.isControlEnabled(ids::FontMakeRoomButton));
        font.dragOnPicture(ids::GlyphPicture, {largePixel(1, 1)});
        font.clickButton(ids::GlyphApplyButton);
        EXPECT_NE(font.messages.back().text.find("so nothing was written"), std::string::npos) << font.messages.back().text;
        font.answers.push_back(ui::Answer::No);
    });
    EXPECT_EQ(readFile(path), before);
}
