#include "support/CliRunner.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace scrivlet::testing;
namespace fs = std::filesystem;

namespace {

class CliTest : public ::testing::Test {
protected:
    CliRun cli(const std::vector<std::string>& words) { return runProgram(dir.path(), SCRIVLET_CLI_PATH, words); }

    // An image with three pointer rows and two raw blocks of known text.
    std::string smallRom()
    {
        TestImage image(0x100000);
        image.put(0x51D12, bytes({gameText("Hello"), {0x03}, gameText("World"), {0x02}}));
        image.put(0x51D12 + 12, bytes({gameText("Second line"), {0x02}}));
        image.put(0x60000, bytes({{0x1C, 0x02, 0x01}, gameText("hello again"), {0x02}}));
        image.setTptRecord(0, 0xC51B12, 300, 7);
        image.setTptRecord(1, 0, 1, 1); // no row
        image.setTptRecord(2, 0xC5FE00, 12, 0);
        image.setTptRecord(3, 0xC51B1E, 5, 6);
        return image.writeTo(dir.file("small.smc")).string();
    }

    TempDir dir;
};

TEST_F(CliTest, HelpAndUsageErrors)
{
    EXPECT_EQ(cli({}).code, 2);
    const CliRun help = cli({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* command : {"identify", "list", "show", "dump", "search", "write", "expand", "tpt", "encode", "sample"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
        const CliRun commandHelp = cli({command, "--help"});
        EXPECT_EQ(commandHelp.code, 0) << command;
        EXPECT_NE(commandHelp.out.find(std::string("Usage: scrivlet-cli ") + command), std::string::npos) << command;
    }
    EXPECT_EQ(cli({"frobnicate"}).code, 2);
    EXPECT_EQ(cli({"list"}).code, 2) << "missing ROM";
    EXPECT_EQ(cli({"list", "a", "b"}).code, 2);
    EXPECT_EQ(cli({"list", "a", "--bogus"}).code, 2);
    EXPECT_EQ(cli({"list", "a", "--source"}).code, 2) << "option without its value";
    const std::string rom = smallRom();
    EXPECT_EQ(cli({"list", rom, "--source", "sideways"}).code, 2);
    EXPECT_EQ(cli({"show", rom}).code, 2) << "neither --address nor --row";
    EXPECT_EQ(cli({"show", rom, "--address", "C51B12", "--row", "1"}).code, 2);
    EXPECT_EQ(cli({"show", rom, "--address", "nothex"}).code, 2);
    EXPECT_EQ(cli({"show", rom, "--row", "1", "--mode", "loud"}).code, 2);
}

TEST_F(CliTest, IdentifyNamesTheTypeAndSize)
{
    const CliRun good = cli({"identify", smallRom()});
    EXPECT_EQ(good.code, 0);
    EXPECT_EQ(good.out, "EarthBound ROM\n1048576\n");

    const auto mother = TestImage(0x20000, "MOTHER-2       ").writeTo(dir.file("m2.smc")).string();
    const CliRun m2 = cli({"identify", mother});
    EXPECT_EQ(m2.code, 1);
    EXPECT_EQ(m2.out, "Mother 2 ROM\n131072\n");

    const CliRun missing = cli({"identify", dir.file("none.smc").string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_FALSE(missing.err.empty());
}

TEST_F(CliTest, CommandsRefuseWhatTheEditorRefuses)
{
    const auto unknown = TestImage(0x20000, "SUPER MARIOWRLD").writeTo(dir.file("u.smc")).string();
    const auto mother = TestImage(0x20000, "MOTHER-2       ").writeTo(dir.file("m2.smc")).string();
    for (const auto& command : std::vector<std::vector<std::string>>{
             {"list", unknown}, {"dump", unknown}, {"show", unknown, "--row", "1"}, {"expand", unknown}}) {
        const CliRun r = cli(command);
        EXPECT_EQ(r.code, 1) << command[0];
        EXPECT_EQ(r.err, "This is an unrecognized ROM.\n") << command[0];
    }
    const CliRun m2 = cli({"list", mother});
    EXPECT_EQ(m2.code, 1);
    EXPECT_EQ(m2.err, "This program does not work with the Mother 2 ROM.\n");
    EXPECT_EQ(fs::file_size(unknown), 0x20000u) << "a refused expand writes nothing";
}

TEST_F(CliTest, ListPrintsOneTabSeparatedLinePerRow)
{
    const std::string rom = smallRom();
    const CliRun r = cli({"list", rom});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
        "1\t$C51B12\t0x51D12\t12\t0xF8B92\t300\t7\tHelloWorld\n"
        "2\t$C5FE00\t0x60000\t15\t0xF8BB4\t12\t0\thello again\n"
        "3\t$C51B1E\t0x51D1E\t12\t0xF8BC5\t5\t6\tSecond line\n")
        << "rows count from 1, as the window's Line does";

    const CliRun raw = cli({"list", rom, "--source", "raw"});
    ASSERT_EQ(raw.code, 0);
    EXPECT_EQ(raw.out.substr(0, raw.out.find('\n')), "1\t$C51B12\t0x51D12\t12\t-\t0\t0\tHelloWorld");
}

TEST_F(CliTest, ShowTakesEveryAddressFormAndMode)
{
    const std::string rom = smallRom();
    for (const char* address : {"$C51B12", "0xC51B12", "C51B12", "c51b12"}) {
        const CliRun r = cli({"show", rom, "--address", address});
        EXPECT_EQ(r.code, 0) << address;
        EXPECT_EQ(r.out, "Hello[03]World[02]\n") << address;
        EXPECT_EQ(r.err, "Size: 12\n");
    }
    EXPECT_EQ(cli({"show", rom, "--row", "2", "--mode", "plain"}).out, "hello again\n");
    EXPECT_EQ(cli({"show", rom, "--row", "2"}).out, "[1C 02 01]hello again[02]\n");
    EXPECT_EQ(cli({"show", rom, "--row", "1", "--source", "raw", "--mode", "hex"}).out,
        "[78 95 9C 9C 9F 03 87 9F A2 9C 94 02]\n");
    const CliRun noRow = cli({"show", rom, "--row", "4"});
    EXPECT_EQ(noRow.code, 1);
    EXPECT_EQ(noRow.err, "The listing has no row 4; its rows are 1 to 3.\n");
    EXPECT_EQ(cli({"show", rom, "--row", "0"}).code, 1) << "row 0 is no row";
    for (const char* wraps : {"-4294967296", "4294967296"}) {
        EXPECT_EQ(cli({"show", rom, "--row", wraps}).code, 1) << wraps << " must not wrap onto row 0";
        EXPECT_EQ(cli({"tpt", rom, "--row", wraps, "--sprite", "1"}).code, 1) << wraps;
    }
}

TEST_F(CliTest, DumpWritesTheSourcesFileOrStandardOutput)
{
    const std::string rom = smallRom();
    const CliRun r = cli({"dump", rom});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Text has been dumped to ptrlist.txt!\nHave a nice day!\n");
    EXPECT_EQ(readTextFile(dir.file("ptrlist.txt")), "Hello[03]World[02]\n[1C 02 01]hello again[02]\nSecond line[02]\n");

    const CliRun out = cli({"dump", rom, "--output", "-"});
    EXPECT_EQ(out.out, readTextFile(dir.file("ptrlist.txt")));

    EXPECT_EQ(cli({"dump", rom, "--source", "raw"}).code, 0);
    EXPECT_TRUE(fs::exists(dir.file("rawlist.txt")));
    const std::string rawDump = readTextFile(dir.file("rawlist.txt"));
    EXPECT_EQ(rawDump.substr(0, rawDump.find('\n', rawDump.find('\n') + 1) + 1), "Hello[03]World[02]\nSecond line[02]\n");

    fs::create_directory(dir.file("explist.txt"));
    const CliRun blocked = cli({"dump", rom, "--source", "expanded"});
    EXPECT_EQ(blocked.code, 1);
    EXPECT_EQ(blocked.out.find("dumped to"), std::string::npos) << "nothing is claimed as dumped";
    EXPECT_NE(blocked.err.find("is not a regular file"), std::string::npos) << blocked.err;
}

TEST_F(CliTest, SearchIgnoresCaseAndNeverWraps)
{
    const std::string rom = smallRom();
    EXPECT_EQ(cli({"search", rom, "HELLO"}).out, "1\tHelloWorld\n");
    EXPECT_EQ(cli({"search", rom, "hello", "--after", "1"}).out, "2\thello again\n");
    EXPECT_EQ(cli({"search", rom, "hello", "--after", "0"}).out, "1\tHelloWorld\n") << "after row 0: from the first row";
    EXPECT_EQ(cli({"search", rom, "hello", "--all"}).out, "1\tHelloWorld\n2\thello again\n");
    EXPECT_EQ(cli({"search", rom, "[1c 02"}).out, "2\thello again\n") << "codes are found by their hex form";
    const CliRun none = cli({"search", rom, "hello", "--after", "2"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "String not found.\n");
}

TEST_F(CliTest, WriteRefusesLikeApplyChangesAndWritesInPlace)
{
    const std::string rom = smallRom();
    const auto before = readFile(rom);

    const CliRun tooLong = cli({"write", rom, "--row", "1", "--text", "Hello there World[02]"});
    EXPECT_EQ(tooLong.code, 1);
    EXPECT_EQ(tooLong.err, "The new text is larger than the old text. Shorten the text, or give --allow-overwrite.\n")
        << "the command line names its own way out";
    const CliRun brackets = cli({"write", rom, "--row", "1", "--text", "Hi[02"});
    EXPECT_EQ(brackets.code, 1);
    EXPECT_EQ(brackets.err, "A bracket error was detected.  Make sure all brackets are correct and try again. "
                            "The group \"[02\" at character 3 never closes with \"]\".\n");
    // What the editor would write in silence before: a malformed group, a letter the game has not.
    for (const char* text : {"[1C02 01]", "[hello]", "[zz]", "[1x9]", "[123]", "Caf\u00E9[02]", "I\u2019m[02]", "a\nb[02]"}) {
        const CliRun refused = cli({"write", rom, "--row", "1", "--text", text, "--allow-overwrite"});
        EXPECT_EQ(refused.code, 1) << text;
        EXPECT_NE(refused.err.find(" at character "), std::string::npos) << text << ": " << refused.err;
    }
    EXPECT_EQ(cli({"write", rom, "--row", "1", "--text", "[1C02 01]"}).err,
        "The group \"[1C02 01]\" at character 1 is not two-digit hex bytes separated by spaces, such as [1C 02 01], "
        "so nothing was written.\n");
    EXPECT_EQ(readFile(rom), before) << "refusals write nothing";
    // Only Expand ROM may make the file longer: a write before its start, at or
    // past its end, or running past its end is refused.
    for (const char* address : {"0", "$FFFFFF", "$40BFFE00"}) {
        const CliRun outside = cli({"write", rom, "--address", address, "--text", "Hi", "--allow-overwrite"});
        EXPECT_EQ(outside.code, 1) << address;
        EXPECT_EQ(outside.err, "The write would reach past the end of the ROM file, so nothing was written.  "
                               "Only Expand ROM makes the file longer.\n") << address;
    }
    EXPECT_EQ(readFile(rom), before) << "refused writes change nothing";

    const CliRun exact = cli({"write", rom, "--row", "1", "--text", "Howdy[03]Earth[02]"});
    EXPECT_EQ(exact.code, 0) << exact.err;
    EXPECT_EQ(exact.out, "Howdy[03]Earth[02]\n");

    const CliRun longer = cli({"write", rom, "--row", "1", "--text", "Hello there World[02]", "--allow-overwrite"});
    EXPECT_EQ(longer.code, 0);
    EXPECT_EQ(cli({"show", rom, "--address", "C51B12"}).out, "Hello there World[02]\n");

    fs::path textFile = dir.file("new.txt");
    { std::ofstream(textFile) << "Yo[02]"; }
    EXPECT_EQ(cli({"write", rom, "--address", "$C5FE00", "--text-file", textFile.string()}).out, "Yo[02]\n");
}

TEST_F(CliTest, ExpandGrowsOnceAndSaysSoAfter)
{
    const auto rom = TestImage(0x300200).writeTo(dir.file("e.smc")).string();
    const CliRun r = cli({"expand", rom});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "4194816\n");
    EXPECT_EQ(fs::file_size(rom), 0x400200u);
    const CliRun again = cli({"expand", rom});
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(again.out, "4194816\n");
    EXPECT_NE(again.err.find("already"), std::string::npos);
    EXPECT_EQ(cli({"list", rom, "--source", "expanded"}).out.substr(0, 28), "1\t$F00000\t0x300200\t256\t-\t0\t0");
}

TEST_F(CliTest, TptPrintsAndWritesWithinTheEditorsLimits)
{
    const std::string rom = smallRom();
    EXPECT_EQ(cli({"tpt", rom, "--row", "1"}).out, "0xF8B92\t$C51B12\t300\t7\n");
    const CliRun w = cli({"tpt", rom, "--row", "2", "--address", "c51b12", "--sprite", "463", "--movement", "255"});
    EXPECT_EQ(w.code, 0) << w.err;
    EXPECT_EQ(w.out, "0xF8BB4\t$C51B12\t463\t255\n");
    const auto onDisk = readFile(rom);
    EXPECT_EQ(onDisk[0xF8BB4 + 5], 0xCF);
    EXPECT_EQ(onDisk[0xF8BB4 + 6], 0x01);
    EXPECT_EQ(onDisk[0xF8BB4 + 8], 0xFF);

    // Values out of bounds are usage errors, in the editor's words; nothing is written.
    const std::string usage = "\nUsage: scrivlet-cli tpt ROM --row N [--address HEX] [--sprite N] [--movement N]\n";
    const CliRun sprite = cli({"tpt", rom, "--row", "1", "--sprite", "464"});
    EXPECT_EQ(sprite.code, 2);
    EXPECT_EQ(sprite.err, "Please enter an integer between 0 and 463." + usage);
    EXPECT_EQ(cli({"tpt", rom, "--row", "1", "--movement", "256"}).err, "Please enter an integer between 0 and 255." + usage);
    EXPECT_EQ(cli({"tpt", rom, "--row", "1", "--sprite", "many"}).err, "Please enter an integer." + usage);
    EXPECT_EQ(cli({"tpt", rom, "--row", "1", "--address", "1234567"}).err, "Please enter no more than 6 characters." + usage);
    // Each of these once wrote $000000 or a shifted value, and the row left the listing.
    for (const char* address : {"G", "", "ZZ", "C51B1G", "-1", "+5", "0x", "$"}) {
        const CliRun bad = cli({"tpt", rom, "--row", "1", "--address", address});
        EXPECT_EQ(bad.code, 2) << address;
        EXPECT_EQ(bad.err, std::string("The address ") + address + " is not a hexadecimal SNES address of at most six digits." + usage);
    }
    EXPECT_EQ(readFile(rom), onDisk) << "refusals write nothing";
    EXPECT_EQ(cli({"tpt", rom, "--row", "1", "--address", "0x12"}).out, "0xF8B92\t$000012\t300\t7\n") << "0x is a prefix";

    EXPECT_EQ(cli({"tpt", rom, "--row", "10"}).code, 1);
}

TEST_F(CliTest, EncodePrintsSizeAndBytes)
{
    const CliRun r = cli({"encode", "Hello[02]"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "6\n78 95 9C 9C 9F 02\n");
    EXPECT_EQ(cli({"encode", ""}).out, "0\n\n");
    const CliRun bad = cli({"encode", "A]B["});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "A bracket error was detected.  Make sure all brackets are correct and try again. "
                       "The group \"[\" at character 4 never closes with \"]\".\n");
    // One encoder: UTF-8 in, and a character outside space to z is refused, not turned into bytes.
    const CliRun accent = cli({"encode", "Caf\u00E9"});
    EXPECT_EQ(accent.code, 1);
    EXPECT_EQ(accent.err, "\"\u00E9\" at character 4 is not one of the game's characters (space to z); "
                          "write its byte as a group, such as [19].\n");
    EXPECT_EQ(cli({"encode", "Caf[19]"}).out, "4\n73 91 96 19\n") << "the byte itself, written as a group";
    EXPECT_EQ(cli({"encode", "I\u2019m"}).code, 1);
    EXPECT_EQ(cli({"encode", "Hi\nYo"}).code, 1) << "a line break is two codes: write them as [3D 3A]";
    EXPECT_EQ(cli({"encode", "[1C02 01]"}).code, 1);
    EXPECT_EQ(cli({"explain", "[1c 02 01]"}).code, 0) << "lower-case hex stays well formed";
    EXPECT_EQ(cli({"explain", "[1C02 01]"}).code, 1);
    EXPECT_EQ(cli({"search", smallRom(), "Caf\u00E9"}).err,
        "\"\u00E9\" at character 4 is not one of the game's characters (space to z), so no text holds it.\n");
}

TEST_F(CliTest, SampleIsDeterministicAndOpensInTheEditor)
{
    ASSERT_EQ(cli({"sample", "a.smc"}).code, 0);
    ASSERT_EQ(cli({"sample", "b.smc"}).code, 0);
    EXPECT_EQ(readFile(dir.file("a.smc")), readFile(dir.file("b.smc")));
    EXPECT_EQ(fs::file_size(dir.file("a.smc")), 0x400200u);
    EXPECT_EQ(cli({"identify", "a.smc"}).out, "EarthBound ROM\n4194816\n");
    EXPECT_EQ(readFile(dir.file("a.tbl")), readFile(dir.file("b.tbl")));
    EXPECT_EQ(cli({"expand", "a.smc"}).out, "4194816\n");
    ASSERT_EQ(cli({"sample", "x.smc", "--expanded"}).code, 0);
    EXPECT_EQ(readFile(dir.file("x.smc")), readFile(dir.file("a.smc")));
    ASSERT_EQ(cli({"sample", "small.smc", "--unexpanded"}).code, 0);
    EXPECT_EQ(fs::file_size(dir.file("small.smc")), 0x300200u);
    EXPECT_EQ(cli({"identify", "small.smc"}).out, "EarthBound ROM\n3146240\n");
}

} // namespace
