// Import, relocate and patches through the real executable.
#include "support/CliRunner.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

using namespace scrivlet::testing;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& data, std::size_t at, std::size_t n)
{
    return std::vector<std::uint8_t>(data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n));
}

class TranslationCommands : public ::testing::Test {
protected:
    CliRun cli(const std::vector<std::string>& words) { return runProgram(dir.path(), SCRIVLET_CLI_PATH, words); }

    // Four pointer rows; rows 2 and 3 share one block; row 1 holds a dictionary string.
    std::string rom(std::size_t size = 0x300200)
    {
        TestImage image(size);
        image.setDictionary({"Onett"});
        image.put(0x51D12, bytes({gameText("Hello"), {0x02}}));
        image.put(0x51D20, bytes({gameText("Go to "), {0x15, 0x01}, gameText("!"), {0x02}}));
        image.put(0x51D40, bytes({gameText("Shared"), {0x02}}));
        image.setTptRecord(0, 0xC51B12, 1, 1);
        image.setTptRecord(1, 0xC51B20, 1, 1);
        image.setTptRecord(2, 0xC51B40, 1, 1);
        image.setTptRecord(3, 0xC51B40, 2, 2);
        return image.writeTo(dir.file("game.smc")).string();
    }
    void writeText(const std::string& name, const std::string& text) { std::ofstream(dir.file(name), std::ios::binary) << text; }

    TempDir dir;
};

TEST_F(TranslationCommands, ImportWritesOnlyChangedRowsAndKeepsDictionaryReferences)
{
    const std::string path = rom();
    ASSERT_EQ(cli({"dump", path}).code, 0);
    EXPECT_EQ(readTextFile(dir.file("ptrlist.txt")), "Hello[02]\nGo to Onett![02]\nShared[02]\nShared[02]\n");
    const auto before = readFile(path);
    // CR LF line ends, as a Windows editor saves them; row 0 changed, the shared block edited twice alike.
    writeText("edited.txt", "Howdy[02]\r\nGo to Onett![02]\r\nSame!![02]\r\nSame!![02]\r\n");
    const CliRun run = cli({"import", path, "edited.txt"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "3 rows changed, 1 row unchanged.\n");
    const auto after = readFile(path);
    EXPECT_EQ(slice(after, 0x51D12, 6), bytes({gameText("Howdy"), {0x02}}));
    EXPECT_EQ(slice(after, 0x51D40, 7), bytes({gameText("Same!!"), {0x02}}));
    EXPECT_EQ(slice(after, 0x51D20, 10), slice(before, 0x51D20, 10)) << "an unchanged row keeps its dictionary reference";
    EXPECT_EQ(cli({"import", path, "edited.txt"}).out, "0 rows changed, 4 rows unchanged.\n");
    // The same bytes written another way (codes only, a grouping of its own) change nothing.
    writeText("same.txt", "[78 9F A7 94 A9 02]\nGo to Onett![02]\nSa[9D 95 51 51][02]\nSame!![02]\n");
    const auto unchanged = readFile(path);
    EXPECT_EQ(cli({"import", path, "same.txt", "--compress"}).out, "0 rows changed, 4 rows unchanged.\n");
    EXPECT_EQ(readFile(path), unchanged);
}

TEST_F(TranslationCommands, ImportIsAllOrNothing)
{
    const std::string path = rom();
    const auto before = readFile(path);
    writeText("bad.txt", "Hi[02]\nGo to Onett![02\nA longer text than before[02]\nShared[02]\n");
    const CliRun run = cli({"import", path, "bad.txt"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err,
        "line 2: A bracket error was detected.  Make sure all brackets are correct and try again. "
        "The group \"[02\" at character 13 never closes with \"]\".\n"
        "line 3: The new text is larger than the old text. Shorten the text, or give --allow-overwrite.\n");
    EXPECT_EQ(readFile(path), before) << "line 1 was fine, yet nothing is written";

    writeText("two.txt", "Hello[02]\nGo to Onett![02]\nOne[02]\nTwo[02]\n");
    const CliRun shared = cli({"import", path, "two.txt"});
    EXPECT_EQ(shared.code, 1);
    EXPECT_EQ(shared.err, "line 4: This block is shared with another row that gives it a different text: line 3.\n");

    writeText("short.txt", "Hello[02]\n");
    const CliRun lines = cli({"import", path, "short.txt"});
    EXPECT_EQ(lines.code, 1);
    EXPECT_EQ(lines.err, "The file has 1 line but the listing has 4 rows.\n");
    EXPECT_EQ(readFile(path), before);

    writeText("longer.txt", "Hello[02]\nGo to Onett![02]\nA longer text than before[02]\nA longer text than before[02]\n");
    const CliRun dry = cli({"import", path, "longer.txt", "--allow-overwrite", "--dry-run"});
    EXPECT_EQ(dry.code, 0) << dry.err;
    EXPECT_EQ(dry.out, "2 rows would be changed, 2 rows unchanged; nothing was written.\n");
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(cli({"import", path, "longer.txt", "--allow-overwrite"}).code, 0);
    EXPECT_EQ(cli({"show", path, "--row", "4"}).out, "A longer text than before[02]\n");
}

TEST_F(TranslationCommands, RelocateFindsFreeBlocksAndPointsTheRecordAtThem)
{
    const std::string path = rom();
    const CliRun notExpanded = cli({"relocate", path, "--row", "1", "--text", "Hi[02]"});
    EXPECT_EQ(notExpanded.code, 1);
    EXPECT_EQ(notExpanded.err, "The ROM is not expanded: expand the ROM first.\n");
    ASSERT_EQ(cli({"expand", path}).code, 0);

    // Block 0 is taken by a record, block 1 no longer holds filler: the text goes to block 2.
    auto image = readFile(path);
    TestImage taken(0);
    taken.data() = image;
    taken.setTptRecord(5, 0xF00010, 3, 3);
    taken.put(0x300300 + 7, {0x71});
    taken.writeTo(path);
    const auto before = readFile(path);

    const std::string longText = std::string(300, 'A') + "[02]"; // 301 bytes: two blocks
    const CliRun moved = cli({"relocate", path, "--row", "2", "--text", longText});
    EXPECT_EQ(moved.code, 0) << moved.err;
    EXPECT_EQ(moved.out, "$F00200\n");
    const auto after = readFile(path);
    EXPECT_EQ(cli({"show", path, "--row", "2"}).out, longText + "\n");
    EXPECT_EQ(slice(after, 0xF8B92 + 17 + 13, 4), (std::vector<std::uint8_t>{0x00, 0x02, 0xF0, 0x00}));
    // Nothing but the text's bytes and the four pointer bytes changed.
    std::size_t changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i)
        changed += after[i] != before[i];
    EXPECT_LE(changed, 301u + 4u);
    EXPECT_EQ(slice(after, 0x51D20, 10), slice(before, 0x51D20, 10)) << "the old block stays";

    const CliRun next = cli({"relocate", path, "--row", "1", "--text", "Hi[02]"});
    EXPECT_EQ(next.out, "$F00400\n") << "the blocks just used are taken now";
    EXPECT_EQ(cli({"relocate", path, "--row", "1", "--text", "Hi[02"}).err,
        "A bracket error was detected.  Make sure all brackets are correct and try again. "
        "The group \"[02\" at character 3 never closes with \"]\".\n");
    EXPECT_EQ(cli({"relocate", path, "--row", "1", "--text", "H\u00E9[02]"}).code, 1) << "the command line's rules";
    writeText("huge.txt", std::string(0x100000, 'A')); // 4096 blocks: more than are free now
    const CliRun huge = cli({"relocate", path, "--row", "1", "--text-file", "huge.txt"});
    EXPECT_EQ(huge.code, 1);
    EXPECT_EQ(huge.err, "The expanded area has no run of free blocks large enough for this text.\n");
}

TEST_F(TranslationCommands, PatchesAreMadeAppliedAndNeverAppliedInPlace)
{
    const std::string original = rom();
    fs::copy_file(original, dir.file("work.smc"));
    ASSERT_EQ(cli({"expand", "work.smc"}).code, 0);
    ASSERT_EQ(cli({"write", "work.smc", "--row", "1", "--text", "Howdy[02]", "--allow-overwrite"}).code, 0);
    for (const char* name : {"hack.ips", "hack.bps"}) {
        const CliRun made = cli({"make-patch", original, "work.smc", name});
        EXPECT_EQ(made.code, 0) << made.err;
        EXPECT_EQ(made.out, std::to_string(fs::file_size(dir.file(name))) + "\n");
        const CliRun applied = cli({"apply-patch", original, name, "result.smc"});
        EXPECT_EQ(applied.code, 0) << applied.err;
        EXPECT_EQ(readFile(dir.file("result.smc")), readFile(dir.file("work.smc"))) << name;
        fs::remove(dir.file("result.smc"));
    }
    EXPECT_LT(fs::file_size(dir.file("hack.ips")), 64u * 1024);
    EXPECT_LT(fs::file_size(dir.file("hack.bps")), 8u * 1024);

    const CliRun wrong = cli({"apply-patch", "work.smc", "hack.bps", "result.smc"});
    EXPECT_EQ(wrong.code, 1);
    EXPECT_EQ(wrong.err, "The BPS patch is for another original: the original's checksum does not match.\n");
    EXPECT_FALSE(fs::exists(dir.file("result.smc"))) << "no output is left behind";
    const auto before = readFile(original);
    const CliRun inPlace = cli({"apply-patch", original, "hack.ips", original});
    EXPECT_EQ(inPlace.code, 1);
    EXPECT_EQ(readFile(original), before);
    EXPECT_EQ(cli({"make-patch", original, "work.smc", "hack.ups"}).code, 2);
}

TEST_F(TranslationCommands, ADumpOrASampleIsNeverWrittenOverTheRomOrIntoAPipe)
{
    const std::string path = rom();
    const auto before = readFile(path);
    fs::create_symlink("game.smc", dir.file("link.txt"));
    fs::create_hard_link(dir.file("game.smc"), dir.file("hard.txt"));
    // Each of these once replaced the image with its own text and said it was done.
    for (const char* out : {"game.smc", "./game.smc", "link.txt", "hard.txt"}) {
        const CliRun run = cli({"dump", path, "--output", out});
        EXPECT_EQ(run.code, 1) << out;
        EXPECT_NE(run.err.find("is the same file as"), std::string::npos) << run.err;
    }
    EXPECT_EQ(readFile(path), before);
    // A pipe is refused at once, not waited on for a reader.
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    for (const std::vector<std::string>& words : {std::vector<std::string>{"dump", path, "--output", "pipe"},
             std::vector<std::string>{"sample", "pipe"}, std::vector<std::string>{"sample", "/dev/null"}}) {
        const CliRun run = cli(words);
        EXPECT_EQ(run.code, 1) << words[0];
        EXPECT_NE(run.err.find("is not a regular file"), std::string::npos) << run.err;
    }
    EXPECT_EQ(cli({"dump", path, "--output", "fresh.txt"}).code, 0);
    EXPECT_EQ(readTextFile(dir.file("fresh.txt")), "Hello[02]\nGo to Onett![02]\nShared[02]\nShared[02]\n");
}

TEST_F(TranslationCommands, APatchIsNeverWrittenOverItsOwnInputsOrToADevice)
{
    const std::string original = rom();
    fs::copy_file(original, dir.file("work.smc"));
    ASSERT_EQ(cli({"write", "work.smc", "--row", "1", "--text", "Howdy[02]", "--allow-overwrite"}).code, 0);
    fs::create_symlink("game.smc", dir.file("link.bps"));
    fs::create_hard_link(dir.file("work.smc"), dir.file("hard.ips"));
    const auto originalBytes = readFile(original);
    const auto modifiedBytes = readFile(dir.file("work.smc"));
    // Each of these turned an image into the patch.
    for (const char* out : {"link.bps", "hard.ips"}) {
        const CliRun run = cli({"make-patch", "game.smc", "work.smc", out});
        EXPECT_EQ(run.code, 1) << out;
        EXPECT_NE(run.err.find("OUT must be another file than ORIGINAL and MODIFIED"), std::string::npos) << run.err;
    }
    fs::copy_file(original, dir.file("game.bps"));
    const CliRun sameName = cli({"make-patch", "game.bps", "work.smc", "./game.bps"});
    EXPECT_EQ(sameName.code, 1);
    EXPECT_EQ(readFile(original), originalBytes);
    EXPECT_EQ(readFile(dir.file("work.smc")), modifiedBytes);

    // A device as OUT is refused with its reason.
    ASSERT_EQ(cli({"make-patch", "game.smc", "work.smc", "hack.ips"}).code, 0);
    const CliRun nullOut = cli({"apply-patch", "game.smc", "hack.ips", "/dev/null"});
    EXPECT_EQ(nullOut.code, 1);
    EXPECT_EQ(nullOut.err, "OUT must be a regular file or a new file name: /dev/null is not a regular file.\n");
    const CliRun overPatch = cli({"apply-patch", "game.smc", "hack.ips", "hack.ips"});
    EXPECT_EQ(overPatch.code, 1);
    EXPECT_EQ(overPatch.err, "OUT must be another file than PATCH: hack.ips is the same file as hack.ips.\n");
}

TEST_F(TranslationCommands, ImportRefusesOverlappingBlocksThatDisagreeAndNamesBothLines)
{
    // Row 1 starts inside row 0's block: "Hello there[02]" and "there[02]".
    TestImage image(0x300200);
    image.put(0x51D12, bytes({gameText("Hello there"), {0x02}}));
    image.setTptRecord(0, 0xC51B12, 1, 1);
    image.setTptRecord(1, 0xC51B18, 1, 1);
    const std::string path = image.writeTo(dir.file("game.smc")).string();
    const auto before = readFile(path);
    writeText("clash.txt", "Hello THERE[02]\nthose[02]\n");
    const CliRun clash = cli({"import", path, "clash.txt"});
    EXPECT_EQ(clash.code, 1) << clash.out;
    EXPECT_EQ(clash.err, "line 2: This block overlaps the block of line 1, and the two would write different bytes to the same place.\n");
    EXPECT_EQ(readFile(path), before) << "before, both were written and the later won";
    // Overlapping edits that agree are written.
    writeText("agree.txt", "Hello world[02]\nworld[02]\n");
    const CliRun agree = cli({"import", path, "agree.txt"});
    EXPECT_EQ(agree.code, 0) << agree.err;
    EXPECT_EQ(agree.out, "2 rows changed, 0 rows unchanged.\n");
    EXPECT_EQ(cli({"show", path, "--row", "2"}).out, "world[02]\n");
}

TEST_F(TranslationCommands, RelocateUsesOnlyBlocksInsideTheFourMebibyteSpace)
{
    // A file larger than 4 MiB whose only free blocks lie past $FFFFFF.
    TestImage image(0x400200 + 0x1000);
    image.put(0x51D12, bytes({gameText("Hello"), {0x02}}));
    image.setTptRecord(0, 0xC51B12, 1, 1);
    for (std::size_t at = 0x300200; at < image.data().size(); at += 256)
        image.data()[at + 255] = 0x02;
    for (std::size_t at = 0x300200; at < 0x400200; at += 256)
        image.data()[at] = 0x71; // taken: the only filler lies past the space
    const std::string path = image.writeTo(dir.file("big.smc")).string();
    const auto before = readFile(path);
    const CliRun run = cli({"relocate", path, "--row", "1", "--text", "Hi[02]"});
    EXPECT_EQ(run.code, 1) << run.out;
    EXPECT_EQ(run.err, "The expanded area has no run of free blocks large enough for this text.\n");
    EXPECT_EQ(readFile(path), before) << "before, it recorded $000000 or an address past $FFFFFF";
    // The last block inside the space is free again: it is used.
    image.data()[0x400100] = 0x00;
    image.writeTo(path);
    const CliRun last = cli({"relocate", path, "--row", "1", "--text", "Hi[02]"});
    EXPECT_EQ(last.code, 0) << last.err;
    EXPECT_EQ(last.out, "$FFFF00\n");
}

TEST_F(TranslationCommands, CompressWritesTheShortestBytesWithTheImagesDictionary)
{
    const std::string path = rom();
    const auto before = readFile(path);
    // Row 1 holds "Onett" as a reference: written back plain it no longer fits.
    const CliRun plain = cli({"write", path, "--row", "2", "--text", "Go to Onett![02]"});
    EXPECT_EQ(plain.code, 1);
    const CliRun packed = cli({"write", path, "--row", "2", "--text", "Go to Onett![02]", "--compress"});
    EXPECT_EQ(packed.code, 0) << packed.err;
    EXPECT_EQ(readFile(path), before) << "the same bytes as stored";

    const CliRun encoded = cli({"encode", "Onett, Onett![02]", "--compress", path});
    EXPECT_EQ(encoded.code, 0) << encoded.err;
    EXPECT_EQ(encoded.out, "8\n15 01 5C 50 15 01 51 02\n");
    EXPECT_EQ(cli({"encode", "Onett[02]"}).out, "6\n7F 9E 95 A4 A4 02\n") << "without --compress, as always";
    EXPECT_EQ(cli({"encode", "Onett[02", "--compress", path}).code, 1);

    writeText("edited.txt", "Onett[02]\nGo to Onett![02]\nShared[02]\nShared[02]\n");
    const CliRun imported = cli({"import", path, "edited.txt", "--compress"});
    EXPECT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(slice(readFile(path), 0x51D12, 3), (std::vector<std::uint8_t>{0x15, 0x01, 0x02}));

    ASSERT_EQ(cli({"expand", path}).code, 0);
    const CliRun moved = cli({"relocate", path, "--row", "3", "--text", "Onett Onett[02]", "--compress"});
    EXPECT_EQ(moved.code, 0) << moved.err;
    EXPECT_EQ(slice(readFile(path), 0x300200, 6), (std::vector<std::uint8_t>{0x15, 0x01, 0x50, 0x15, 0x01, 0x02}));
}

} // namespace
