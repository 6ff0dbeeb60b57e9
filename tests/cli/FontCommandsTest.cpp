// Fonts and character tables through the real executable.
#include "cli/PngFile.h"
#include "cli/SampleImage.h"
#include "rom/RomAddress.h"
#include "support/CliRunner.h"
#include "support/TestImage.h"
#include "text/FontSheet.h"
#include "text/GameFont.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

class FontCommands : public ::testing::Test {
protected:
    CliRun cli(const std::vector<std::string>& words) { return runProgram(dir.path(), SCRIVLET_CLI_PATH, words); }
    std::string sample(bool expanded, const std::string& name = "s.smc")
    {
        TestImage image(0);
        image.data() = buildSampleImage(expanded);
        return image.writeTo(dir.file(name)).string();
    }
    void writeText(const std::string& name, const std::string& text) { std::ofstream(dir.file(name), std::ios::binary) << text; }
    Picture readPng(const std::string& name)
    {
        const auto picture = cli::decodePng(readFile(dir.file(name)));
        EXPECT_TRUE(picture);
        return picture ? *picture : Picture{};
    }
    void writePng(const std::string& name, const Picture& picture)
    {
        const auto png = cli::encodePng(picture);
        ASSERT_TRUE(png);
        std::ofstream(dir.file(name), std::ios::binary).write(reinterpret_cast<const char*>(png->data()), static_cast<std::streamsize>(png->size()));
    }
    TempDir dir;
};

} // namespace

TEST_F(FontCommands, ExportThenImportChangesNoByteForBothFontsAndBothRooms)
{
    for (const bool expanded : {false, true}) {
        const std::string rom = sample(expanded);
        const auto before = readFile(rom);
        for (const char* font : {"main", "saturn"}) {
            const CliRun exported = cli({"font", "export", rom, "f.png", "--font", font});
            ASSERT_EQ(exported.code, 0) << exported.err;
            const int glyphs = expanded && std::string(font) == "main" ? 128 : 96;
            const Picture sheet = readPng("f.png");
            EXPECT_EQ(sheet.width, 273);
            EXPECT_EQ(sheet.height, glyphs / 16 * 17 + 1);
            EXPECT_EQ(sheet.at(0, 0), 0xFFC0C0C0u) << "the grid around the cells";
            EXPECT_EQ(sheet.at(17, 40), 0xFFC0C0C0u) << "and between them";
            const std::string widths = readTextFile(dir.file("f.png.txt"));
            EXPECT_EQ(widths.substr(0, 5), "50\t4\n") << "a space is 4 wide";
            EXPECT_EQ(std::count(widths.begin(), widths.end(), '\n'), glyphs);
            const CliRun imported = cli({"font", "import", rom, "f.png", "--font", font});
            EXPECT_EQ(imported.code, 0) << imported.err;
            EXPECT_EQ(readFile(rom), before) << font << (expanded ? " expanded" : "");
        }
    }
}

TEST_F(FontCommands, ImportWritesTheDrawnPixelAndWidthAndRefusesAWrongPictureWhole)
{
    const std::string rom = sample(true);
    ASSERT_EQ(cli({"font", "export", rom, "f.png"}).code, 0);
    const auto before = readFile(rom);

    // Wrong size: refused with a sentence, nothing written.
    Picture sheet = readPng("f.png");
    Picture small = sheet;
    small.height = 103;
    small.pixels.resize(static_cast<std::size_t>(273 * 103));
    writePng("small.png", small);
    CliRun run = cli({"font", "import", rom, "small.png", "--widths", "f.png.txt"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "The picture is 273 x 103 pixels; a sheet of 128 glyphs is 273 x 137 (16 glyphs to a row, 17 pixels a "
                       "cell and one more for the grid), so nothing was written.\n");
    writeText("junk.png", "not a picture");
    EXPECT_EQ(cli({"font", "import", rom, "junk.png"}).err, "The file junk.png is not a PNG picture that can be read, so nothing was written.\n");

    // Glyph 108 (byte BC, a blank slot): one pixel at (3, 5) drawn dark grey, width 5.
    const int k = 108;
    sheet.pixels[static_cast<std::size_t>((1 + 17 * (k / 16) + 5) * sheet.width + 1 + 17 * (k % 16) + 3)] = 0xFF505050;
    writePng("g.png", sheet);
    std::string widths = readTextFile(dir.file("f.png.txt"));
    widths.replace(widths.find("BC\t0"), 4, "BC\t5");
    writeText("g.png.txt", widths);
    writeText("bad.txt", "50\t4\n50\t4\n");
    run = cli({"font", "import", rom, "g.png", "--widths", "bad.txt"});
    EXPECT_EQ(run.err, "The widths file: line 2: byte 50 is given a second time (first on line 1), so nothing was written.\n");
    EXPECT_EQ(readFile(rom), before);

    run = cli({"font", "import", rom, "g.png"}); // the widths beside the picture
    ASSERT_EQ(run.code, 0) << run.err;
    const auto after = readFile(rom);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            changed.push_back(i);
    const std::size_t glyphs = 0x300200;
    EXPECT_EQ(changed, (std::vector<std::size_t>{glyphs + k * 32 + 5, glyphs + 128 * 32 + k}));
    EXPECT_EQ(after[glyphs + k * 32 + 5], 0x10);
    EXPECT_EQ(after[glyphs + 128 * 32 + k], 5);
}

TEST_F(FontCommands, ExtendMovesTheFontOnceIntoFreeRoomThatTextThenKeepsOutOf)
{
    const std::string rom = sample(false, "x.smc");
    EXPECT_EQ(cli({"font", "extend", rom}).err,
        "The main font can only be moved to the expanded area, and this ROM is not expanded.  Expand ROM first; nothing was written.\n");
    ASSERT_EQ(cli({"expand", rom}).code, 0);
    const auto before = readFile(rom);
    // A text moved first takes the first free block; the font goes after it.
    ASSERT_EQ(cli({"relocate", rom, "--row", "1", "--text", "Moved[02]"}).code, 0);
    CliRun run = cli({"font", "extend", rom, "--font", "saturn"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "The Mr. Saturn font now lies at $F00100 with room for 128 letters; bytes B0-CF draw glyphs 96-127.\n");
    EXPECT_EQ(cli({"font", "extend", rom, "--font", "saturn"}).out, "The Mr. Saturn font already has room for 128 letters; nothing was written.\n");
    const auto after = readFile(rom);
    const std::size_t entry = static_cast<std::size_t>(snesToFileOffset(FontTableAddress)) + 12;
    EXPECT_EQ(std::vector<std::uint8_t>(after.begin() + entry, after.begin() + entry + 12),
        (std::vector<std::uint8_t>{0x00, 0x11, 0xF0, 0x00, 0x00, 0x01, 0xF0, 0x00, 32, 0, 16, 0}));
    const std::size_t glyphs = 0x300300, widths = glyphs + 4096;
    const std::size_t oldGlyphs = static_cast<std::size_t>(snesToFileOffset(SaturnFontGlyphsAddress));
    const std::size_t oldWidths = static_cast<std::size_t>(snesToFileOffset(SaturnFontWidthsAddress));
    EXPECT_TRUE(std::equal(after.begin() + glyphs, after.begin() + glyphs + 96 * 32, before.begin() + oldGlyphs));
    EXPECT_TRUE(std::equal(after.begin() + widths, after.begin() + widths + 96, before.begin() + oldWidths));
    EXPECT_TRUE(std::all_of(after.begin() + glyphs + 96 * 32, after.begin() + glyphs + 128 * 32, [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(after.begin() + widths + 96, after.begin() + widths + 128, [](auto b) { return b == 0; }));

    // The expanded listing skips the font's 17 blocks; the next text moved lands after them.
    run = cli({"list", rom, "--source", "expanded"});
    EXPECT_EQ(run.out.substr(0, 15), "1\t$F00000\t0x300") << run.out.substr(0, 200);
    EXPECT_NE(run.out.find("\n3\t$F01200\t"), std::string::npos) << run.out.substr(0, 200);
    EXPECT_EQ(run.out.find("$F00100"), std::string::npos) << "no row inside the font";
    ASSERT_EQ(cli({"relocate", rom, "--row", "2", "--text", "Also moved[02]"}).code, 0);
    EXPECT_EQ(cli({"list", rom}).out.find("2\t$F01200\t"), cli({"list", rom}).out.find('\n') + 1);
    const auto last = readFile(rom);
    EXPECT_TRUE(std::equal(last.begin() + 0x300300, last.begin() + 0x300300 + 17 * 256, after.begin() + 0x300300)) << "the font untouched";
}

TEST_F(FontCommands, EveryCommandReadsTheTableBesideTheRomOrTheOneNamedOrNone)
{
    const std::string rom = sample(true);
    ASSERT_EQ(cli({"sample", "s.smc"}).code, 0); // writes s.tbl beside it
    EXPECT_EQ(cli({"show", rom, "--row", "2", "--mode", "plain"}).out, "@¿Qué tal, ?@¡Mañana vamos a Onett!\n");
    EXPECT_EQ(cli({"show", rom, "--row", "2", "--mode", "plain", "--table", "none"}).out, "@Qu tal, ?@Maana vamos a Onett!\n");
    EXPECT_EQ(cli({"encode", "¿Qué?", "--table", "s.tbl"}).out, "5\nB8 81 A5 B1 6F\n");
    EXPECT_EQ(cli({"search", rom, "mañana"}).out.substr(0, 2), "2\t");

    // Typing the Done-means text and writing it: the table's bytes.
    CliRun run = cli({"write", rom, "--row", "2", "--text", "¿Qué tal, ñandú?[02]"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(cli({"show", rom, "--row", "2", "--mode", "hex"}).out, "[B8 81 A5 B1 50 A4 91 9C 5C 50 B5 91 9E 94 B4 6F 02]\n");

    // Dump then import through the table changes no byte.
    const auto before = readFile(rom);
    ASSERT_EQ(cli({"dump", rom}).code, 0);
    EXPECT_NE(readTextFile(dir.file("ptrlist.txt")).find("¿Qué tal, ñandú?[02]"), std::string::npos);
    EXPECT_EQ(cli({"import", rom, "ptrlist.txt"}).code, 0);
    EXPECT_EQ(readFile(rom), before);

    writeText("s.tbl", "B0=á\nB0=a\n");
    run = cli({"list", rom});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "The character table " + dir.file("s.tbl").string()
            + " cannot be used: line 2: byte B0 is given a second time (first on line 1). Mend it, or give --table none to read the text without it.\n");
    EXPECT_EQ(cli({"list", rom, "--table", "none"}).code, 0);
    EXPECT_EQ(cli({"list", rom, "--table", "missing.tbl"}).err, "The character table missing.tbl cannot be used: it cannot be read.\n");
}
