// What the command-line tool leaves in the user's files when the system fails
// under it: every write-side operation made to fail in turn, odd files, a full
// output, a file-size limit and a second program on the same image.
#include "edit/Messages.h"
#include "support/CliRunner.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>

#include <filesystem>
#include <fstream>

using namespace scrivlet;
using namespace scrivlet::testing;
namespace fs = std::filesystem;

namespace {

std::string oneLine(std::string sentence)
{
    for (char& c : sentence)
        if (c == '\n')
            c = ' ';
    return sentence + "\n";
}

TestImage editableImage()
{
    TestImage image(0x100000);
    image.put(0x51D12, bytes({gameText("Hello"), {0x03}, gameText("World"), {0x02}}));
    image.put(0x51D12 + 12, bytes({gameText("Second line"), {0x02}}));
    image.setTptRecord(0, 0xC51B12, 300, 7);
    image.setTptRecord(1, 0xC51B1E, 5, 6);
    return image;
}

class FileSafetyTest : public ::testing::Test {
protected:
    CliRun cli(const std::vector<std::string>& words, const std::string& prefix = "", const std::string& out = "")
    {
        return runProgram(dir.path(), SCRIVLET_CLI_PATH, words, prefix, out);
    }
    std::string rom() { return editableImage().writeTo(dir.file("game.smc")).string(); }

    TempDir dir;
};

// One operation to break, and what "old" and "new" mean for it.
struct Operation {
    const char* name;
    std::vector<std::string> words; // after the command, the image path is "game.smc"
    const char* watched;            // the file whose bytes are judged
    bool inPlaceToo;                // also run with a second hard link (written in place)
};

void PrintTo(const Operation& op, std::ostream* out) { *out << op.name; }

struct FaultMode {
    bool partial;
    bool persist;
};

class FaultInjection : public ::testing::TestWithParam<Operation> {
protected:
    // The image and an older dump, as every run starts.
    void setUpFiles()
    {
        editableImage().writeTo(dir.file("game.smc"));
        std::ofstream(dir.file("ptrlist.txt")) << "an older dump\n";
    }

    TempDir dir;
};

TEST_P(FaultInjection, EveryFailureLeavesTheOldOrTheNewBytesAndSaysSo)
{
    const Operation& op = GetParam();
    setUpFiles();
    const auto before = readFile(dir.file(op.watched));
    const CliRun clean = runProgram(dir.path(), SCRIVLET_CLI_PATH, op.words);
    ASSERT_EQ(clean.code, 0) << clean.err;
    const auto after = readFile(dir.file(op.watched));
    ASSERT_NE(before, after) << "the operation must change something to be judged";

    const fs::path report = dir.file("fault-report.txt");
    int tried = 0;
    for (bool inPlace : {false, true}) {
        if (inPlace && !op.inPlaceToo)
            continue;
        for (FaultMode mode : {FaultMode{false, false}, FaultMode{true, false}, FaultMode{false, true}, FaultMode{true, true}}) {
            for (int n = 1; n < 200; ++n) {
                setUpFiles();
                fs::remove(dir.file("second-name.smc"));
                if (inPlace)
                    fs::create_hard_link(dir.file("game.smc"), dir.file("second-name.smc"));
                const std::string prefix = "SCRIVLET_FAULT_DIR=" + shellQuote(dir.path().string())
                    + " SCRIVLET_FAULT_AT=" + std::to_string(n) + " SCRIVLET_FAULT_PARTIAL=" + (mode.partial ? "1" : "0")
                    + " SCRIVLET_FAULT_PERSIST=" + (mode.persist ? "1" : "0")
                    + " SCRIVLET_FAULT_REPORT=" + shellQuote(report.string()) + " LD_PRELOAD=" + shellQuote(SCRIVLET_FAULT_SHIM);
                const CliRun run = runProgram(dir.path(), SCRIVLET_CLI_PATH, op.words, prefix);
                long operations = 0, injected = 0;
                std::ifstream(report) >> operations >> injected;
                const auto now = readFile(dir.file(op.watched));
                const std::string where = std::string(op.name) + (inPlace ? " in place" : "") + " failing operation "
                    + std::to_string(n) + (mode.partial ? " partly" : " whole") + (mode.persist ? " for good" : " once");
                ASSERT_NE(run.code, -1) << where << ": the program was killed";
                if (run.code == 0) {
                    EXPECT_EQ(now, after) << where << ": success reported but the new bytes are not all there";
                } else {
                    EXPECT_FALSE(run.err.empty()) << where;
                    const bool damagedAndSaid = inPlace && mode.persist
                        && run.err.find("may be damaged") != std::string::npos;
                    if (!damagedAndSaid) {
                        EXPECT_EQ(now, before) << where << ": failed, yet the file is not as it was; said: " << run.err;
                    }
                }
                for (const auto& entry : fs::directory_iterator(dir.path()))
                    EXPECT_EQ(entry.path().filename().string().find(".scrivlet-"), std::string::npos)
                        << where << ": a temporary file was left behind";
                ++tried;
                if (injected == 0)
                    break; // the operation ran out of write operations before the Nth
            }
        }
    }
    RecordProperty("cases", tried);
    EXPECT_GT(tried, 8);
}

INSTANTIATE_TEST_SUITE_P(Writes, FaultInjection,
    ::testing::Values(
        Operation{"write", {"write", "game.smc", "--row", "1", "--text", "Hello there World[02]", "--allow-overwrite"}, "game.smc", true},
        Operation{"tpt", {"tpt", "game.smc", "--row", "1", "--address", "C60000", "--sprite", "12", "--movement", "3"}, "game.smc", true},
        Operation{"expand", {"expand", "game.smc"}, "game.smc", true},
        Operation{"dump", {"dump", "game.smc"}, "ptrlist.txt", false}),
    [](const ::testing::TestParamInfo<Operation>& info) { return std::string(info.param.name); });

TEST_F(FileSafetyTest, AFileSizeLimitIsAReportedFailureNotASignal)
{
    const std::string path = rom();
    const auto before = readFile(path);
    // 1024 blocks of 512 bytes: the image fits, the expanded one does not.
    const CliRun run = cli({"expand", path}, "ulimit -f 4096;");
    EXPECT_EQ(run.code, 1) << "killed by SIGXFSZ?";
    EXPECT_EQ(run.err, oneLine(messages::WriteFailed));
    EXPECT_EQ(readFile(path), before);
}

TEST_F(FileSafetyTest, ASecondProgramOnALockedImageWritesNothing)
{
    const std::string path = rom();
    const auto before = readFile(path);
    // flock(1) holds the image's lock while our program runs, as an editor would.
    const std::string holder = "flock --exclusive " + shellQuote(path);
    for (const std::vector<std::string>& words : {std::vector<std::string>{"write", path, "--row", "1", "--text", "Hi[02]"},
             std::vector<std::string>{"expand", path}, std::vector<std::string>{"tpt", path, "--row", "1", "--sprite", "1"}}) {
        const CliRun run = cli(words, holder);
        EXPECT_EQ(run.code, 1) << words[0];
        EXPECT_EQ(run.err, oneLine(messages::RomLocked)) << words[0];
    }
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(cli({"show", path, "--row", "1"}, holder).out, "Hello[03]World[02]\n") << "reading needs no lock";

    // A record lock (lockf, fcntl), the other kind programs take, is honoured too.
    const std::string recordHolder = "python3 -c " + shellQuote("import fcntl, subprocess, sys; f = open(sys.argv[1], 'r+b'); "
        "fcntl.lockf(f, fcntl.LOCK_EX); sys.exit(subprocess.call(sys.argv[2:]))") + " " + shellQuote(path);
    const CliRun locked = cli({"write", path, "--row", "1", "--text", "Hi[02]"}, recordHolder);
    EXPECT_EQ(locked.code, 1);
    EXPECT_EQ(locked.err, oneLine(messages::RomLocked));
    EXPECT_EQ(readFile(path), before);
}

TEST_F(FileSafetyTest, RunningOutOfMemoryIsASentenceNotACrash)
{
    const std::string path = rom();
    const auto before = readFile(path);
    std::ofstream(dir.file("huge.txt")).close();
    fs::resize_file(dir.file("huge.txt"), 150u * 1024 * 1024); // read whole: more than the limit below allows
    const CliRun run = cli({"import", path, "huge.txt"}, "ulimit -v 100000;");
    EXPECT_EQ(run.code, 1) << "std::bad_alloc ends in abort (134) when uncaught";
    EXPECT_EQ(run.err, "There was not enough memory to finish the command, so nothing was written.\n");
    EXPECT_EQ(readFile(path), before);
}

TEST_F(FileSafetyTest, TwoExpansionsAtOnceGrowTheFileOnce)
{
    for (int trial = 0; trial < 10; ++trial) {
        const std::string path = rom();
        const std::string both = shellQuote(SCRIVLET_CLI_PATH) + " expand " + shellQuote(path) + " & "
            + shellQuote(SCRIVLET_CLI_PATH) + " expand " + shellQuote(path) + "; wait";
        const CliRun run = runProgram(dir.path(), "bash", {"-c", both});
        EXPECT_EQ(fs::file_size(path), 0x400200u) << "trial " << trial << ": " << run.err;
    }
}

TEST_F(FileSafetyTest, PipesFoldersAndDevicesAreRefusedAtOnce)
{
    const std::string path = rom();
    const auto fifo = dir.file("pipe.smc");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string limit = "timeout 20"; // a hang fails the test instead of blocking it
    for (const std::vector<std::string>& words : {std::vector<std::string>{"identify", fifo.string()},
             {"list", fifo.string()}, {"show", fifo.string(), "--row", "1"}, {"search", fifo.string(), "x"},
             {"dump", fifo.string()}, {"tpt", fifo.string(), "--row", "1"}, {"write", fifo.string(), "--row", "1", "--text", "x"},
             {"expand", dir.path().string()}}) {
        const CliRun run = cli(words, limit);
        EXPECT_EQ(run.code, 1) << words[0];
        EXPECT_EQ(run.err, oneLine(messages::NotRegularFile)) << words[0];
    }
    std::ofstream(dir.file("big.txt")) << std::string(1024 * 1024 + 1, 'a');
    for (const std::string& textFile : {fifo.string(), dir.path().string(), std::string("/dev/zero"), dir.file("big.txt").string()}) {
        const CliRun run = cli({"write", path, "--row", "1", "--text-file", textFile}, limit);
        EXPECT_EQ(run.code, 1) << textFile;
        EXPECT_NE(run.err.find("The text file"), std::string::npos) << textFile << ": " << run.err;
    }
    EXPECT_EQ(readFile(path), editableImage().data());
}

TEST_F(FileSafetyTest, OutputThatCannotBeWrittenIsAFailure)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const std::string path = rom();
    for (const std::vector<std::string>& words : {std::vector<std::string>{"list", path}, {"show", path, "--row", "1"},
             {"search", path, "hello"}, {"identify", path}, {"tpt", path, "--row", "1"}, {"encode", "Hi[02]"},
             {"write", path, "--row", "2", "--text", "Second line[02]"}, {"dump", path, "--output", "-"}}) {
        const CliRun run = cli(words, "", "/dev/full");
        EXPECT_EQ(run.code, 1) << words[0];
        EXPECT_NE(run.err.find("could not be written"), std::string::npos) << words[0] << ": " << run.err;
    }
}

TEST_F(FileSafetyTest, ExtendedAttributesGoWithTheImageThroughEveryKindOfWrite)
{
    const std::string path = rom();
    const char tag[] = "keep me";
    ASSERT_EQ(::setxattr(path.c_str(), "user.scrivlet.test", tag, sizeof tag, 0), 0) << "the test folder takes no extended attributes";
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"write", "game.smc", "--row", "1", "--text", "Howdy[02]"},
             {"tpt", "game.smc", "--row", "2", "--sprite", "9"},
             {"expand", "game.smc"}}) {
        const CliRun run = cli(words);
        ASSERT_EQ(run.code, 0) << words[0] << ": " << run.err;
        char value[32] = {};
        // Before, the new file written beside the image and renamed over it had none.
        EXPECT_EQ(::getxattr(path.c_str(), "user.scrivlet.test", value, sizeof value), static_cast<ssize_t>(sizeof tag)) << words[0];
        EXPECT_STREQ(value, tag) << words[0];
    }
}

} // namespace
