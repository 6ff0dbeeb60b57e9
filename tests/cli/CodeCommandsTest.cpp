// explain, refs and --codes through the real executable.
#include "support/CliRunner.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

using namespace scrivlet::testing;

namespace {

class CodeCommands : public ::testing::Test {
protected:
    CliRun cli(const std::vector<std::string>& words) { return runProgram(dir.path(), SCRIVLET_CLI_PATH, words); }
    std::string rom() { return referencesImage().writeTo(dir.file("refs.smc")).string(); }

    TempDir dir;
};

TEST_F(CodeCommands, ExplainNamesEachCodeAsTheChosenGroupingTakesIt)
{
    const CliRun classic = cli({"explain", "Hi[1B 05 02 71][02 1F 40]"});
    ASSERT_EQ(classic.code, 0) << classic.err;
    EXPECT_EQ(classic.out,
        "2\t1B 05 02 71 02\tactive_to_working\tCopy active registers over to the working copy (details unclear)\n"
        "7\t1F 40\tunknown\t\n")
        << "the classic table reads 1B 05 with four bytes and goes on after the end code";
    const CliRun game = cli({"explain", "Hi[1B 05 02 71][02 1F 40]", "--codes", "game"});
    ASSERT_EQ(game.code, 0);
    EXPECT_EQ(game.out.substr(0, game.out.find('\t', 2)), "2\t1B 05");
    EXPECT_NE(game.out.find("\n4\t02\tend_block\t"), std::string::npos) << "the game reads 1B 05 as two bytes";
    EXPECT_NE(game.out.find("\n6\t02\tend_block\t"), std::string::npos) << "and the walk goes on past an end code";
    EXPECT_EQ(cli({"explain", "[08 12 1B"}).code, 1) << "a bracket error";
    EXPECT_EQ(cli({"explain", "x", "--codes", "modern"}).code, 2);
    const CliRun cut = cli({"explain", "[08 12 1B]"});
    EXPECT_EQ(cut.out.substr(0, cut.out.find('\t', 2)), "0\t08 12 1B") << "arguments cut by the end of the text";
    EXPECT_EQ(cli({"explain", "Just letters"}).out, "");
}

TEST_F(CodeCommands, RefsListRecordsThenCodesInBothGroupings)
{
    const std::string path = rom();
    const CliRun classic = cli({"refs", path, "--address", "$C51B12"});
    ASSERT_EQ(classic.code, 0) << classic.err;
    EXPECT_EQ(classic.out,
        "record\t0\nrecord\t6\n"
        "code\t2\t$C51B30\t+2\tjump_text\n"
        "code\t3\t$C51B40\t+0\tcall_text\n"
        "code\t6\t$C51BA0\t+0\tcall_on_value\n");
    const CliRun game = cli({"refs", path, "--row", "1", "--codes", "game"});
    ASSERT_EQ(game.code, 0) << game.err;
    EXPECT_EQ(game.out,
        "record\t0\nrecord\t6\n"
        "code\t2\t$C51B30\t+2\tjump_text\n"
        "code\t3\t$C51B40\t+0\tcall_text\n"
        "code\t4\t$C51B60\t+0\tjump_on_value\n"
        "code\t5\t$C51B80\t+0\tstore_option_text\n"
        "code\t6\t$C51BA0\t+0\tcall_on_value\n")
        << "the counted list of 09 and the address after 19 02's string are read only as the game reads them";
    const CliRun second = cli({"refs", path, "--address", "C51B30", "--codes", "game"});
    EXPECT_EQ(second.out, "record\t1\ncode\t4\t$C51B60\t+0\tjump_on_value\n") << "the list's second address";
    const CliRun none = cli({"refs", path, "--address", "C51B40"});
    EXPECT_EQ(none.code, 0);
    EXPECT_EQ(none.out, "record\t2\n");
    const CliRun nothing = cli({"refs", path, "--address", "C51B50"});
    EXPECT_EQ(nothing.code, 0);
    EXPECT_EQ(nothing.out, "");
    // Past the end of the file there is nothing to point at: said, not listed as bytes of FF.
    for (const std::vector<std::string>& words : {std::vector<std::string>{"refs", path, "--address", "FFFF00"},
             std::vector<std::string>{"show", path, "--address", "FFFF00"},
             std::vector<std::string>{"preview", path, "--address", "FFFF00", "--png", "p.png"}}) {
        const CliRun outside = cli(words);
        EXPECT_EQ(outside.code, 1) << words[0];
        EXPECT_NE(outside.err.find("lies outside the ROM file"), std::string::npos) << words[0] << ": " << outside.err;
    }
    EXPECT_EQ(cli({"refs", path, "--row", "100"}).code, 1);
    EXPECT_EQ(cli({"refs", path}).code, 2);
}

TEST_F(CodeCommands, TheGroupingDecidesBlockSizesInEveryCommand)
{
    const std::string path = rom();
    const auto sizeOfRow3 = [&](const char* codes) {
        const CliRun listed = cli({"list", path, "--codes", codes});
        std::size_t line = 0;
        for (int i = 0; i < 3; ++i)
            line = listed.out.find('\n', line) + 1;
        std::size_t field = line;
        for (int i = 0; i < 3; ++i)
            field = listed.out.find('\t', field) + 1;
        return std::stoi(listed.out.substr(field));
    };
    EXPECT_EQ(sizeOfRow3("classic"), 2) << "09 alone, then its count 02 ends the block";
    EXPECT_EQ(sizeOfRow3("game"), 12);
    const CliRun shown = cli({"show", path, "--row", "4", "--codes", "game"});
    EXPECT_EQ(shown.out, "[09 02 12 1B C5 00 30 1B C5 00]y[02]\n");
    const CliRun dumped = cli({"dump", path, "--output", "-", "--codes", "game"});
    EXPECT_NE(dumped.out.find("[19 02 71 01 12 1B C5 00]z[02]"), std::string::npos);
    EXPECT_EQ(cli({"search", path, "[19 02 71 01", "--codes", "game"}).code, 0);
}

} // namespace
