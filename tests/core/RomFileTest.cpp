#include "rom/RomFile.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

#ifndef _WIN32
// Asks flock(1), a program of its own, for the lock a second editor would take.
bool lockedByAnotherProgram(const std::filesystem::path& path)
{
    const std::string command = "flock --nonblock --exclusive '" + path.string() + "' true";
    return std::system(command.c_str()) != 0;
}
#endif

class RomFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<std::uint8_t> content(200000);
        for (std::size_t i = 0; i < content.size(); ++i)
            content[i] = static_cast<std::uint8_t>(i * 7);
        image.data() = content;
        path = image.writeTo(dir.file("rom.smc"));
        ASSERT_TRUE(rom.open(path.string()));
    }

    WriteStatus put(std::int64_t offset, std::vector<std::uint8_t> bytes)
    {
        const ByteRun run{offset, std::move(bytes)};
        return rom.write(std::span<const ByteRun>(&run, 1));
    }

    TempDir dir;
    TestImage image{0};
    std::filesystem::path path;
    RomFile rom;
};

TEST_F(RomFileTest, ReadsBytesAtAbsoluteOffsetsAcrossPages)
{
    rom.seek(10);
    EXPECT_EQ(rom.readByte(), 70 & 0xFF);
    rom.seek(199990);
    for (int i = 199990; i < 200000; ++i)
        EXPECT_EQ(rom.readByte(), (i * 7) & 0xFF) << i;
    EXPECT_EQ(rom.readByte(), -1);
    EXPECT_EQ(rom.readByte(), -1) << "reads at the end keep giving -1";

    rom.seek(0);
    for (int i = 0; i < 200000; ++i)
        ASSERT_EQ(rom.readByte(), (i * 7) & 0xFF) << i;
    EXPECT_EQ(rom.size(), 200000);
}

TEST_F(RomFileTest, PeekDoesNotMove)
{
    rom.seek(65535);
    EXPECT_EQ(rom.peekByte(3), (65538 * 7) & 0xFF) << "across a page boundary";
    EXPECT_EQ(rom.readByte(), (65535 * 7) & 0xFF);
    rom.seek(199999);
    EXPECT_EQ(rom.peekByte(1), -1);
    EXPECT_EQ(rom.readByte(), (199999 * 7) & 0xFF);
}

TEST_F(RomFileTest, AWriteLandsWholeAndIsReadBack)
{
    ASSERT_EQ(put(65534, {0xAB, 0xCD, 0xEF}), WriteStatus::Written);
    const auto onDisk = readFile(path);
    ASSERT_EQ(onDisk.size(), 200000u) << "a write never changes the size";
    EXPECT_EQ(onDisk[65534], 0xAB);
    EXPECT_EQ(onDisk[65536], 0xEF);
    EXPECT_EQ(onDisk[65537], (65537 * 7) & 0xFF) << "the byte after the run is untouched";
    EXPECT_EQ(onDisk[65533], (65533 * 7) & 0xFF);
    rom.seek(65533);
    EXPECT_EQ(rom.readByte(), (65533 * 7) & 0xFF);
    EXPECT_EQ(rom.readByte(), 0xAB);
    EXPECT_EQ(rom.readByte(), 0xCD);
}

TEST_F(RomFileTest, SeveralRunsLandTogether)
{
    const std::vector<ByteRun> runs{{5, {1, 2}}, {100, {3}}, {150000, {4, 5, 6, 7}}};
    ASSERT_EQ(rom.write(runs), WriteStatus::Written);
    auto expected = image.data();
    for (const ByteRun& r : runs)
        std::copy(r.bytes.begin(), r.bytes.end(), expected.begin() + r.offset);
    EXPECT_EQ(readFile(path), expected);
}

TEST_F(RomFileTest, NothingIsWrittenAtOrPastTheEndOrBeforeTheStart)
{
    EXPECT_EQ(put(200000, {1}), WriteStatus::OutsideFile);
    EXPECT_EQ(put(199999, {1, 2}), WriteStatus::OutsideFile) << "a run that starts inside and runs past the end";
    EXPECT_EQ(put(0x3FFFFFFF, {1}), WriteStatus::OutsideFile);
    EXPECT_EQ(put(-0xBFFE00, {1}), WriteStatus::OutsideFile);
    const std::vector<ByteRun> mixed{{0, {9}}, {200000, {9}}};
    EXPECT_EQ(rom.write(mixed), WriteStatus::OutsideFile) << "one bad run refuses them all";
    EXPECT_EQ(readFile(path), image.data());
    EXPECT_EQ(put(199999, {1}), WriteStatus::Written) << "the last byte is inside";
}

TEST_F(RomFileTest, OutsideChangesAreSeenAtTheNextActionNotInTheMiddleOfOne)
{
    // A reader: a file open for update is locked against other writers.
    ASSERT_TRUE(rom.open(path.string(), RomFile::Access::ReadOnly));
    rom.seek(1);
    EXPECT_EQ(rom.readByte(), 7);
    image.data()[1] = 0x99;
    image.writeTo(path);
    rom.seek(1);
    EXPECT_EQ(rom.readByte(), 7) << "within one action the bytes read stay as read";
    rom.beginAction();
    rom.seek(1);
    EXPECT_EQ(rom.readByte(), 0x99);
}

#ifndef _WIN32 // on Windows the lock keeps every other writer out of a file open for update
TEST_F(RomFileTest, AWriteStartsFromWhatTheFileHoldsNow)
{
    rom.seek(0);
    rom.readByte();
    image.data()[3] = 0x42;
    image.writeTo(path);
    ASSERT_EQ(put(10, {0x11}), WriteStatus::Written);
    const auto onDisk = readFile(path);
    EXPECT_EQ(onDisk[3], 0x42) << "another program's change is not undone by ours";
    EXPECT_EQ(onDisk[10], 0x11);
}

#endif

TEST_F(RomFileTest, NegativeOffsetReadsEndOfFile)
{
    rom.seek(5);
    EXPECT_FALSE(rom.seek(-0xBFFE00));
    EXPECT_EQ(rom.readByte(), -1);
    EXPECT_EQ(rom.peekByte(0), -1);
}

TEST_F(RomFileTest, SizeLeavesTheStreamAtTheEnd)
{
    EXPECT_EQ(rom.seekEnd(), 200000);
    EXPECT_EQ(rom.readByte(), -1);
}

#ifndef _WIN32 // wine keeps a deleted open file under its name until it is closed
TEST_F(RomFileTest, AReplacedOrDeletedFileTakesNoWrite)
{
    std::filesystem::rename(path, dir.file("moved.smc"));
    image.writeTo(path); // another file under the old name
    EXPECT_EQ(put(0, {1}), WriteStatus::NotTheOpenFile);
    EXPECT_EQ(readFile(path), image.data());
    EXPECT_EQ(readFile(dir.file("moved.smc")), image.data());

    std::filesystem::remove(path);
    std::filesystem::remove(dir.file("moved.smc"));
    EXPECT_EQ(put(0, {1}), WriteStatus::NotTheOpenFile);
    EXPECT_FALSE(std::filesystem::exists(path)) << "a deleted image is not brought back";
}
#endif

#ifndef _WIN32 // permission bits, symbolic links and flock(1) are POSIX's
TEST_F(RomFileTest, AWriteKeepsPermissionsLinksAndTheLock)
{
    ::chmod(path.c_str(), 0640);
    const auto link = dir.file("link.smc");
    std::filesystem::create_symlink(path, link);
    RomFile viaLink;
    rom.close();
    ASSERT_TRUE(viaLink.open(link.string()));
    ASSERT_EQ(viaLink.byteAt(0), 0);
    const ByteRun run{0, {0x55}};
    ASSERT_EQ(viaLink.write(std::span<const ByteRun>(&run, 1)), WriteStatus::Written);
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link stays a link";
    EXPECT_EQ(readFile(path)[0], 0x55);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(lockedByAnotherProgram(path)) << "the written file is still locked";
    // A later write still sees its own earlier one.
    const ByteRun next{1, {0x66}};
    ASSERT_EQ(viaLink.write(std::span<const ByteRun>(&next, 1)), WriteStatus::Written);
    EXPECT_EQ(readFile(path)[0], 0x55);
    EXPECT_EQ(readFile(path)[1], 0x66);
}

#endif

TEST_F(RomFileTest, AFileWithAnotherHardLinkIsWrittenInPlace)
{
    const auto other = dir.file("other-name.smc");
    std::filesystem::create_hard_link(path, other);
    ASSERT_EQ(put(7, {0x77}), WriteStatus::Written);
    EXPECT_EQ(readFile(other)[7], 0x77) << "both names still share one file";
    EXPECT_EQ(readFile(path)[7], 0x77);
}

class RestoreTest : public RomFileTest, public ::testing::WithParamInterface<bool> {};

// What a write or a growth replaced goes back whole, by rename or (a file
// with another hard link) in place, and not over another program's change.
TEST_P(RestoreTest, WritesAndGrowthsGoBackToTheBytesTheyReplaced)
{
    if (GetParam())
        std::filesystem::create_hard_link(path, dir.file("second-name.smc"));
    const auto opened = readFile(path);
    const ByteRun runs[] = {{10, {1, 2, 3}}, {199998, {9, 9}}};
    ASSERT_EQ(rom.write(runs), WriteStatus::Written);
    const ReplacedBytes written = rom.lastReplaced();
    EXPECT_EQ(written.oldSize, 200000);
    ASSERT_EQ(written.runs.size(), 2u);
    EXPECT_EQ(written.runs[0].bytes, (std::vector<std::uint8_t>{opened[10], opened[11], opened[12]}));
    const std::vector<std::uint8_t> tail(300, 0xAB);
    ASSERT_EQ(rom.grow(tail), WriteStatus::Written);
    const ReplacedBytes grown = rom.lastReplaced();
    EXPECT_EQ(grown.oldSize, 200000);
    EXPECT_EQ(grown.newSize, 200300);

    ASSERT_EQ(rom.restore(grown), WriteStatus::Written);
    EXPECT_EQ(readFile(path).size(), 200000u) << "the growth taken back: the old size";
    ASSERT_EQ(rom.restore(written), WriteStatus::Written);
    EXPECT_EQ(readFile(path), opened) << "byte for byte as opened";
    EXPECT_EQ(rom.size(), 200000);
    EXPECT_EQ(rom.byteAt(10), opened[10]) << "and read back from the stream";

    ASSERT_EQ(put(5, {0x55}), WriteStatus::Written);
    const ReplacedBytes last = rom.lastReplaced();
    changeAsAnotherProgram(path, 100, 0x42);
    const auto changed = readFile(path);
    EXPECT_EQ(rom.restore(last), WriteStatus::ChangedOutside);
    EXPECT_EQ(readFile(path), changed) << "another program's change is never written over";
}

INSTANTIATE_TEST_SUITE_P(ByRenameAndInPlace, RestoreTest, ::testing::Values(false, true),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "InPlace" : "ByRename"; });

#ifndef _WIN32
TEST_F(RomFileTest, OneProgramAtATimeHasTheFileForUpdate)
{
    // Another program is refused while this one holds the file...
    EXPECT_TRUE(lockedByAnotherProgram(path));
    // ...but the same window may open its own file again, and keeps the lock
    // when the first stream is closed.
    RomFile again;
    ASSERT_TRUE(again.open(path.string()));
    rom.close();
    EXPECT_TRUE(lockedByAnotherProgram(path));
    again.close();
    EXPECT_FALSE(lockedByAnotherProgram(path));
    RomFile reader;
    EXPECT_TRUE(reader.open(path.string(), RomFile::Access::ReadOnly)) << "reading needs no lock";
}

#endif

TEST(RomFileOpen, RequiresAnExistingRegularFileAndNeverCreatesOne)
{
    TempDir dir;
    RomFile rom;
    EXPECT_FALSE(rom.open(""));
    EXPECT_FALSE(rom.open(dir.file("missing.smc").string()));
    EXPECT_EQ(rom.openError(), OpenError::Missing);
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.smc")));
#ifndef _WIN32
    {
        const auto locked = TestImage(0x1000).writeTo(dir.file("unwritable.smc"));
        const Unwritable hold(locked);
        EXPECT_FALSE(rom.open(locked.string()));
        EXPECT_EQ(rom.openError(), OpenError::NotWritable) << "a file that may not be changed says so";
        EXPECT_TRUE(rom.open(locked.string(), RomFile::Access::ReadOnly)) << "and reads";
        rom.close();
    }
#endif
    EXPECT_EQ(rom.write({}), WriteStatus::NotOpenForUpdate) << "no stream, no write";

    EXPECT_FALSE(rom.open(dir.path().string(), RomFile::Access::ReadOnly));
    EXPECT_EQ(rom.openError(), OpenError::NotRegularFile);
    EXPECT_FALSE(rom.open(dir.path().string()));
    EXPECT_EQ(rom.openError(), OpenError::NotRegularFile);
#ifndef _WIN32
    const auto fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Would block forever if the pipe were opened to be read like a file.
    EXPECT_FALSE(rom.open(fifo.string(), RomFile::Access::ReadOnly));
    EXPECT_EQ(rom.openError(), OpenError::NotRegularFile);
    EXPECT_FALSE(rom.open(fifo.string()));
    EXPECT_EQ(rom.openError(), OpenError::NotRegularFile);
    EXPECT_FALSE(rom.open("/dev/zero", RomFile::Access::ReadOnly));
    EXPECT_EQ(rom.openError(), OpenError::NotRegularFile);
#endif
}

TEST(RomFileReadOnly, RefusesEveryWrite)
{
    TempDir dir;
    const auto path = TestImage(0x100).writeTo(dir.file("r.smc"));
    RomFile rom;
    ASSERT_TRUE(rom.open(path.string(), RomFile::Access::ReadOnly));
    const ByteRun run{0, {1}};
    EXPECT_EQ(rom.write(std::span<const ByteRun>(&run, 1)), WriteStatus::NotOpenForUpdate);
    EXPECT_EQ(readFile(path)[0], 0);
}

} // namespace
