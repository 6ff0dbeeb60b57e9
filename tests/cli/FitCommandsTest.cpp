// fit and preview through the real executable.
#include "support/CliRunner.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <memory>

using namespace scrivlet::testing;

namespace {

class FitCommands : public ::testing::Test {
protected:
    CliRun cli(const std::vector<std::string>& words) { return runProgram(dir.path(), SCRIVLET_CLI_PATH, words); }
    std::string rom() { return fontImage().writeTo(dir.file("font.smc")).string(); }

    TempDir dir;
};

struct PngImage {
    png_uint_32 width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    std::uint32_t at(std::uint32_t x, std::uint32_t y) const
    {
        const std::uint8_t* p = rgba.data() + (y * width + x) * 4;
        return 0xFF000000u | p[0] << 16 | p[1] << 8 | p[2];
    }
};

// Reads a PNG file back with libpng, as any viewer would.
std::optional<PngImage> readPng(const std::filesystem::path& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.string().c_str()))
        return std::nullopt;
    image.format = PNG_FORMAT_RGBA;
    PngImage read;
    read.width = image.width;
    read.height = image.height;
    read.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, read.rgba.data(), 0, nullptr))
        return std::nullopt;
    return read;
}

TEST_F(FitCommands, FitListsEachCutWordOnceAndExitsOneWithASentence)
{
    const std::string path = rom();
    const CliRun run = cli({"fit", path});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "1\t2\tcut\tAAAAAAAAAA (89 px, room 74 px)\n"
                       "2\t2\tcut\tAAAAAAAAAAA (98 px, room 74 px)\n"
                       "4\t2\tcut\tAAAAAAAAAAAA (107 px, room 74 px)\n")
        << "row 4 shares row 1's block; row 2's name and letters wrap";
    EXPECT_EQ(run.err, "3 cut words in 3 rows.\n");

    const CliRun wide = cli({"fit", path, "--width", "200"});
    EXPECT_EQ(wide.code, 0) << wide.err;
    EXPECT_EQ(wide.out, "");
    EXPECT_EQ(cli({"fit", path, "--width", "90"}).out,
        "2\t2\tcut\tAAAAAAAAAAA (98 px, room 84 px)\n4\t2\tcut\tAAAAAAAAAAAA (107 px, room 84 px)\n")
        << "ten A's are 90 pixels: they fit";
    for (const char* bad : {"0", "wide", "241", "4096"})
        EXPECT_EQ(cli({"fit", path, "--width", bad}).code, 2) << bad;
    EXPECT_EQ(cli({"fit", path, "--window", "256"}).code, 2);
    EXPECT_EQ(cli({"fit", path, "--window", "1", "--width", "90"}).code, 2) << "one or the other";
    EXPECT_EQ(cli({"fit", path, "--source", "sideways"}).code, 2);

    TestImage image = fontImage();
    image.put(0x3E450 + 12, {40, 0x00}); // a window too wide to be the dialogue's
    image.put(0x3E450 + 5 * 8 + 4, {20, 0x00, 6, 0x00}); // entry 5: 144 pixels, 2 lines
    const std::string other = image.writeTo(dir.file("other.smc")).string();
    EXPECT_EQ(cli({"fit", other}).code, 0) << "136 pixels then, and every word fits";
    EXPECT_EQ(cli({"fit", other, "--window", "5"}).code, 0);
    EXPECT_EQ(cli({"fit", path, "--window", "5"}).code, 0) << "an empty entry: the game's own 136 pixels";
}

TEST_F(FitCommands, ScrollListsTheStretchesTooLongForTheWindowWhenAskedFor)
{
    TestImage image = fontImage();
    image.put(0x51DA0, bytes({gameText("A"), {0x00}, gameText("A"), {0x00}, gameText("A"), {0x00}, gameText("A"), {0x03},
                                 gameText("A"), {0x02}}));
    image.setTptRecord(5, 0xC51BA0, 1, 1);
    const std::string path = image.writeTo(dir.file("scroll.smc")).string();
    EXPECT_EQ(cli({"fit", path}).out.find("scroll"), std::string::npos) << "a note to opt into";
    const CliRun run = cli({"fit", path, "--scroll"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("6\t1\tscroll\t4 lines between waits, 3 shown\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "3 cut words and 1 stretch that scrolls away in 4 rows.\n");
}

TEST_F(FitCommands, FitUsesTheChosenGrouping)
{
    TestImage image = fontImage();
    // [19 02 ...]: the classic table reads 25 argument bytes, the game up to
    // the string's 02, then the letters after it are a line of their own.
    image.put(0x51D90, {0x19, 0x02, 0x71, 0x02});
    for (int i = 0; i < 11; ++i)
        image.put(0x51D94 + static_cast<std::size_t>(i), {0x71});
    image.put(0x51D9F, {0x02});
    image.setTptRecord(0, 0xC51B90, 1, 1);
    const std::string path = image.writeTo(dir.file("grouping.smc")).string();
    EXPECT_EQ(cli({"fit", path}).out.substr(0, 2), "2\t") << "classic: row 1's letters are swallowed as arguments";
    EXPECT_EQ(cli({"fit", path, "--codes", "game"}).out.substr(0, 40), "1\t2\tcut\tAAAAAAAAAAA (98 px, room 74 px)\n");
}

TEST_F(FitCommands, PreviewWritesAPngOfEveryPageAndNeverOverTheRom)
{
    const std::string path = rom();
    const auto png = dir.file("row1.png");
    const CliRun run = cli({"preview", path, "--row", "2", "--png", png.string()});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto picture = readPng(png);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, (80u + 6 + 16) * 2) << "the window, the ink past its edge and the frame, twice the size";
    EXPECT_EQ(picture->height, (48u + 16) * 2) << "one page: the lines read at the end";
    EXPECT_EQ(picture->at(16 + 6 * 2, 16), 0xFFFF7050u) << "the cut word's first A, 6 pixels in";

    const auto named = dir.file("row2.png");
    ASSERT_EQ(cli({"preview", path, "--row", "3", "--png", named.string()}).code, 0);
    const auto second = readPng(named);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->at(16 + 4, 16 + 8), 0xFF6080B0u) << "the name's room";
    EXPECT_EQ(second->at(16 + 6 * 2, 16 + 32), 0xFFF8F8F8u) << "the A's after it, wrapped";

    EXPECT_EQ(cli({"preview", path, "--row", "2", "--png", path}).code, 1) << "the ROM is never the picture";
    EXPECT_EQ(readFile(path), fontImage().data());
    EXPECT_EQ(cli({"preview", path, "--row", "2"}).code, 2) << "--png is needed";
    EXPECT_EQ(cli({"preview", path, "--row", "2", "--width", "4096", "--png", png.string()}).code, 2);
    EXPECT_EQ(cli({"preview", path, "--row", "100", "--png", png.string()}).code, 1);
    EXPECT_TRUE(cli({"preview", path, "--address", "$C51B12", "--png", dir.file("a.png").string()}).code == 0);
}

} // namespace
