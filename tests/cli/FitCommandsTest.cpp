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

TEST_F(FitCommands, FitListsEachTooWideLineOnceAndExitsOneWithASentence)
{
    const std::string path = rom();
    const CliRun run = cli({"fit", path});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "1\t1\t88\t80\n2\t1\t84\t80\n3\t1\t96\t80\n") << "row 4 shares row 1's block";
    EXPECT_EQ(run.err, "3 lines in 3 rows are wider than 80 pixels.\n");

    const CliRun wide = cli({"fit", path, "--width", "96"});
    EXPECT_EQ(wide.code, 0) << wide.err;
    EXPECT_EQ(wide.out, "");
    EXPECT_EQ(cli({"fit", path, "--width", "90"}).out, "3\t1\t96\t90\n");
    EXPECT_EQ(cli({"fit", path, "--width", "0"}).code, 2);
    EXPECT_EQ(cli({"fit", path, "--width", "wide"}).code, 2);
    EXPECT_EQ(cli({"fit", path, "--source", "sideways"}).code, 2);

    TestImage narrow = fontImage();
    narrow.put(0x3E450 + 12, {40, 0x00}); // a window too wide to be the dialogue's
    const CliRun fallback = cli({"fit", narrow.writeTo(dir.file("narrow.smc")).string()});
    EXPECT_EQ(fallback.code, 0) << "136 pixels then, and every line fits";
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
    EXPECT_EQ(cli({"fit", path}).out.substr(0, 2), "1\t") << "classic: row 0's letters are swallowed as arguments";
    EXPECT_EQ(cli({"fit", path, "--codes", "game"}).out.substr(0, 10), "0\t1\t88\t80\n");
}

TEST_F(FitCommands, PreviewWritesAPngOfEveryPageAndNeverOverTheRom)
{
    const std::string path = rom();
    const auto png = dir.file("row1.png");
    const CliRun run = cli({"preview", path, "--row", "1", "--png", png.string()});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto picture = readPng(png);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, (88u + 16) * 2) << "the widest line and the frame, twice the size";
    EXPECT_EQ(picture->height, (48u + 16) * 2) << "two lines: one page of three";
    EXPECT_EQ(picture->at(16, 16), 0xFFF8F8F8u) << "the first A's top-left pixel";
    EXPECT_EQ(picture->at(16 + 160, 16), 0xFFFF7050u) << "the eleventh A, past the window";

    EXPECT_EQ(cli({"preview", path, "--row", "1", "--png", path}).code, 1) << "the ROM is never the picture";
    EXPECT_EQ(readFile(path), fontImage().data());
    EXPECT_EQ(cli({"preview", path, "--row", "1"}).code, 2) << "--png is needed";
    EXPECT_EQ(cli({"preview", path, "--row", "99", "--png", png.string()}).code, 1);
    EXPECT_TRUE(cli({"preview", path, "--address", "$C51B12", "--png", dir.file("a.png").string()}).code == 0);
}

} // namespace
