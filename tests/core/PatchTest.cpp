#include "rom/Crc32.h"
#include "rom/Patch.h"
#include "support/TestImage.h"

#include <gtest/gtest.h>

#include <random>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

// A second reader of both formats, written apart from the product's from the
// formats' own descriptions, so that a patch is judged by more than the code
// that made it.
namespace reference {

std::vector<std::uint8_t> applyIps(std::vector<std::uint8_t> file, const std::vector<std::uint8_t>& patch)
{
    std::size_t p = 5;
    while (!(patch[p] == 'E' && patch[p + 1] == 'O' && patch[p + 2] == 'F')) {
        const std::size_t offset = (patch[p] << 16) | (patch[p + 1] << 8) | patch[p + 2];
        std::size_t length = (patch[p + 3] << 8) | patch[p + 4];
        p += 5;
        if (length == 0) {
            length = (patch[p] << 8) | patch[p + 1];
            if (file.size() < offset + length)
                file.resize(offset + length);
            for (std::size_t k = 0; k < length; ++k)
                file[offset + k] = patch[p + 2];
            p += 3;
        } else {
            if (file.size() < offset + length)
                file.resize(offset + length);
            for (std::size_t k = 0; k < length; ++k)
                file[offset + k] = patch[p + k];
            p += length;
        }
    }
    if (patch.size() == p + 6)
        file.resize((patch[p + 3] << 16) | (patch[p + 4] << 8) | patch[p + 5]);
    return file;
}

std::uint64_t number(const std::vector<std::uint8_t>& patch, std::size_t& p)
{
    std::uint64_t value = 0, shift = 1;
    for (;;) {
        const std::uint8_t x = patch[p++];
        value += (x & 0x7F) * shift;
        if (x & 0x80)
            return value;
        shift <<= 7;
        value += shift;
    }
}

std::vector<std::uint8_t> applyBps(const std::vector<std::uint8_t>& source, const std::vector<std::uint8_t>& patch)
{
    std::size_t p = 4;
    number(patch, p); // source size
    std::vector<std::uint8_t> target(number(patch, p));
    p += number(patch, p);
    std::size_t out = 0;
    long long sourceAt = 0, targetAt = 0;
    while (p < patch.size() - 12) {
        const std::uint64_t command = number(patch, p);
        std::uint64_t length = (command >> 2) + 1;
        const int action = command & 3;
        if (action == 0) {
            while (length--) {
                target[out] = source[out];
                ++out;
            }
        } else if (action == 1) {
            while (length--)
                target[out++] = patch[p++];
        } else {
            const std::uint64_t data = number(patch, p);
            long long& at = action == 2 ? sourceAt : targetAt;
            at += (data & 1 ? -1 : 1) * static_cast<long long>(data >> 1);
            while (length--)
                target[out++] = action == 2 ? source[static_cast<std::size_t>(at++)] : target[static_cast<std::size_t>(at++)];
        }
    }
    return target;
}

} // namespace reference

std::uint32_t storedCrc(const std::vector<std::uint8_t>& patch, std::size_t fromEnd)
{
    const std::size_t at = patch.size() - fromEnd;
    return patch[at] | patch[at + 1] << 8 | patch[at + 2] << 16 | static_cast<std::uint32_t>(patch[at + 3]) << 24;
}

// A 3 MiB image, then the same expanded to 0x400200 with filler and a few blocks rewritten.
struct Edit {
    std::vector<std::uint8_t> original, modified;
};
Edit expansionAndEdits()
{
    Edit e;
    std::mt19937 rng(42);
    e.original.resize(0x300200);
    for (auto& b : e.original)
        b = static_cast<std::uint8_t>(rng() % 7 == 0 ? rng() : 0x00);
    e.modified = e.original;
    for (std::size_t at = 0x300200; at < 0x400200; at += 256) {
        e.modified.insert(e.modified.end(), 255, 0x00);
        e.modified.push_back(0x02);
    }
    for (std::size_t at : {0x51D12u, 0x60000u, 0x2F5020u, 0x300200u, 0x3FFE00u}) {
        const auto text = bytes({gameText("A new line of text, written back."), {0x03, 0x02}});
        std::copy(text.begin(), text.end(), e.modified.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return e;
}

TEST(Patch, AnExpansionWithEditsIsSmallInBothFormatsAndAppliesBack)
{
    const Edit e = expansionAndEdits();
    const auto ips = makePatch(PatchFormat::Ips, e.original, e.modified);
    ASSERT_TRUE(ips);
    EXPECT_LT(ips->size(), 4096u * 7) << "of each filler block only its end code: a patcher fills a grown file with zeros";
    EXPECT_EQ(reference::applyIps(e.original, *ips), e.modified);
    EXPECT_EQ(applyPatch(e.original, *ips).output, e.modified);

    const auto bps = makePatch(PatchFormat::Bps, e.original, e.modified);
    ASSERT_TRUE(bps);
    EXPECT_LT(bps->size(), 8u * 1024);
    EXPECT_EQ(reference::applyBps(e.original, *bps), e.modified);
    EXPECT_EQ(storedCrc(*bps, 12), crc32(e.original));
    EXPECT_EQ(storedCrc(*bps, 8), crc32(e.modified));
    EXPECT_EQ(storedCrc(*bps, 4), crc32(std::span(*bps).first(bps->size() - 4)));
    const PatchResult applied = applyPatch(e.original, *bps);
    EXPECT_EQ(applied.error, "");
    EXPECT_EQ(applied.output, e.modified);
}

TEST(Patch, AFileGrownWithZerosGetsItsWholeSizeFromIps)
{
    const std::vector<std::uint8_t> original(100, 0x11);
    for (std::size_t grown : {101u, 400u, 70000u}) {
        std::vector<std::uint8_t> modified = original;
        modified.resize(grown, 0x00); // nothing but zeros past the old end
        const auto ips = makePatch(PatchFormat::Ips, original, modified);
        ASSERT_TRUE(ips);
        EXPECT_LT(ips->size(), 20u) << grown;
        EXPECT_EQ(reference::applyIps(original, *ips), modified) << grown;
        EXPECT_EQ(applyPatch(original, *ips).output, modified) << grown;
    }
}

TEST(Patch, RandomChangesRoundTripThroughBothFormats)
{
    std::mt19937 rng(7);
    for (int trial = 0; trial < 60; ++trial) {
        std::vector<std::uint8_t> original(rng() % 5000);
        for (auto& b : original)
            b = static_cast<std::uint8_t>(rng() % 4); // few values: runs and repeats
        std::vector<std::uint8_t> modified = original;
        modified.resize(modified.size() + rng() % 3000 - (trial % 3 == 0 ? std::min<std::size_t>(modified.size(), 1000) : 0));
        for (int k = 0, n = static_cast<int>(rng() % 40); k < n && !modified.empty(); ++k) {
            const std::size_t at = rng() % modified.size();
            const std::size_t run = std::min<std::size_t>(modified.size() - at, rng() % 300);
            const std::uint8_t value = static_cast<std::uint8_t>(rng());
            for (std::size_t i = 0; i < run; ++i)
                modified[at + i] = rng() % 2 ? value : static_cast<std::uint8_t>(rng());
        }
        for (PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps}) {
            const auto patch = makePatch(format, original, modified);
            ASSERT_TRUE(patch) << trial;
            const auto reference = format == PatchFormat::Ips ? reference::applyIps(original, *patch) : reference::applyBps(original, *patch);
            EXPECT_EQ(reference, modified) << "trial " << trial << (format == PatchFormat::Ips ? " ips" : " bps");
            EXPECT_EQ(applyPatch(original, *patch).output, modified) << "trial " << trial;
        }
    }
}

TEST(Patch, WrongOriginalsAndDamagedPatchesAreRefused)
{
    const Edit e = expansionAndEdits();
    const auto bps = *makePatch(PatchFormat::Bps, e.original, e.modified);
    std::vector<std::uint8_t> other = e.original;
    other[100] ^= 1;
    EXPECT_EQ(applyPatch(other, bps).error,
        "The BPS patch is for another original: the original's checksum does not match.");
    std::vector<std::uint8_t> damaged = bps;
    damaged[damaged.size() / 2] ^= 0x40;
    EXPECT_NE(applyPatch(e.original, damaged).error, "");
    EXPECT_NE(applyPatch(e.original, std::span(bps).first(bps.size() - 20)).error, "") << "a cut patch";
    const std::vector<std::uint8_t> notAPatch{'H', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(applyPatch(e.original, notAPatch).error, "This is neither an IPS nor a BPS patch.");

    const auto ips = *makePatch(PatchFormat::Ips, e.original, e.modified);
    EXPECT_NE(applyPatch(e.original, std::span(ips).first(ips.size() - 3)).error, "") << "no EOF mark";
    EXPECT_NE(applyPatch(e.original, std::span(ips).first(9)).error, "") << "a record cut short";
    // Every prefix of a patch is refused or, for IPS, at least never read past its end.
    for (std::size_t n = 0; n < bps.size(); ++n)
        EXPECT_NE(applyPatch(e.original, std::span(bps).first(n)).error, "") << n;
}

TEST(Patch, IpsShrinksAFileWithItsTruncationMarkAndNamesComeFromExtensions)
{
    const std::vector<std::uint8_t> original{1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<std::uint8_t> shorter{1, 2, 9};
    const auto ips = *makePatch(PatchFormat::Ips, original, shorter);
    EXPECT_EQ(reference::applyIps(original, ips), shorter);
    EXPECT_EQ(applyPatch(original, ips).output, shorter);
    EXPECT_EQ(patchFormatOf("hack.IPS"), PatchFormat::Ips);
    EXPECT_EQ(patchFormatOf("hack.bps"), PatchFormat::Bps);
    EXPECT_EQ(patchFormatOf("hack.ups"), std::nullopt);
    EXPECT_EQ(crc32(std::vector<std::uint8_t>{'1', '2', '3', '4', '5', '6', '7', '8', '9'}), 0xCBF43926u) << "the check value of CRC-32";
}

} // namespace

namespace {

// A BPS patch of hand-written fields and actions (each a number of the
// format's own encoding), its source and patch checksums made right, so that
// the applier gets past them to the sizes and actions.
std::vector<std::uint8_t> handBps(const std::vector<std::uint8_t>& source, std::uint64_t sourceSize, std::uint64_t targetSize,
    const std::vector<std::uint64_t>& actions, const std::vector<std::uint8_t>& rawTail = {})
{
    const auto number = [](std::vector<std::uint8_t>& out, std::uint64_t data) {
        for (;;) {
            const std::uint8_t x = data & 0x7F;
            data >>= 7;
            if (data == 0) {
                out.push_back(0x80 | x);
                return;
            }
            out.push_back(x);
            --data;
        }
    };
    const auto put32 = [](std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    std::vector<std::uint8_t> patch{'B', 'P', 'S', '1'};
    number(patch, sourceSize);
    number(patch, targetSize);
    number(patch, 0);
    for (std::uint64_t n : actions)
        number(patch, n);
    patch.insert(patch.end(), rawTail.begin(), rawTail.end());
    put32(patch, crc32(source));
    put32(patch, 0);
    put32(patch, crc32(patch));
    return patch;
}

const std::string TooLarge = "The patch would make an image larger than 16 MiB; no image is that large.";
const std::string Empty = "The patch would make an empty file; no image is empty.";

TEST(HostilePatch, SizesPastTheCapAreRefusedBeforeAnythingIsAllocated)
{
    const std::vector<std::uint8_t> source(64, 0x11);
    // Before, the 2^32 - 1 target was allocated (4 GiB) before any action was read.
    for (std::uint64_t claimed : {std::uint64_t{1} << 32, (std::uint64_t{1} << 32) - 1, std::uint64_t{PatchMaxImageBytes} + 1}) {
        const PatchResult r = applyPatch(source, handBps(source, source.size(), claimed, {}));
        EXPECT_EQ(r.error, TooLarge) << claimed;
        EXPECT_TRUE(r.output.empty());
    }
    EXPECT_EQ(applyPatch(source, handBps(source, std::uint64_t{1} << 40, 16, {})).error, TooLarge) << "the source size too";
    // A claim within the cap with no action behind it is damage, found without a 16 MiB buffer.
    EXPECT_EQ(applyPatch(source, handBps(source, source.size(), PatchMaxImageBytes, {})).error, "The BPS patch is damaged.");
    EXPECT_EQ(applyPatch(source, handBps(source, source.size(), 0, {})).error, Empty);
}

TEST(HostilePatch, CopyOffsetsFarOutOfRangeAreDamageNotArithmeticOverflow)
{
    const std::vector<std::uint8_t> source(64, 0x22);
    constexpr std::uint64_t SourceCopyOne = 2, TargetCopyOne = 3;
    // One byte copied from offset 0, then a copy whose offset never ends: nine
    // bytes without the last-byte mark. The value read so far (past 2^63) was
    // added to the position before the damage was noticed, overflowing it.
    const std::vector<std::uint8_t> endless(9, 0x7E); // read so far: 2^64 - 2, a distance of 2^63 - 1
    EXPECT_EQ(applyPatch(source, handBps(source, source.size(), 2, {SourceCopyOne, 0, SourceCopyOne}, endless)).error,
        "The BPS patch is damaged.");
    EXPECT_EQ(applyPatch(source, handBps(source, source.size(), 2, {SourceCopyOne, 0, TargetCopyOne}, endless)).error,
        "The BPS patch is damaged.");
    // The largest distance a whole number can give, forward and backward.
    const std::uint64_t farForward = std::uint64_t{9295997013522923647u} & ~std::uint64_t{1};
    EXPECT_EQ(applyPatch(source, handBps(source, source.size(), 2, {SourceCopyOne, 0, SourceCopyOne, farForward})).error,
        "The BPS patch is damaged.");
    EXPECT_EQ(applyPatch(source, handBps(source, source.size(), 2, {SourceCopyOne, 0, SourceCopyOne, farForward | 1})).error,
        "The BPS patch is damaged.");
    // A target copy of bytes not yet written.
    EXPECT_EQ(applyPatch(source, handBps(source, source.size(), 2, {TargetCopyOne, 2})).error, "The BPS patch is damaged.");
}

TEST(HostilePatch, IpsRecordsNeverPadOrGrowPastWhatTheyWrite)
{
    const std::vector<std::uint8_t> source(16, 0x33);
    const auto ips = [](std::vector<std::uint8_t> body) {
        std::vector<std::uint8_t> patch{'P', 'A', 'T', 'C', 'H'};
        patch.insert(patch.end(), body.begin(), body.end());
        return patch;
    };
    // A run-length record of no bytes at 0x500000 padded the result to 5 MiB of zeros.
    const PatchResult empty = applyPatch(source, ips({0x50, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xAA, 'E', 'O', 'F'}));
    EXPECT_EQ(empty.error, "The IPS patch is damaged: a run-length record has no bytes.");
    EXPECT_TRUE(empty.output.empty());
    // A truncation to a size larger than the result grew it to 4 MiB.
    const PatchResult grown = applyPatch(source, ips({'E', 'O', 'F', 0x40, 0x00, 0x00}));
    EXPECT_EQ(grown.error, "The IPS patch is damaged: it truncates the file to a size larger than the file.");
    EXPECT_EQ(applyPatch(source, ips({'E', 'O', 'F', 0x00, 0x00, 0x10})).output, source) << "truncating to its own size";
    EXPECT_EQ(applyPatch(source, ips({'E', 'O', 'F', 0x00, 0x00, 0x00})).error, Empty);
    // A record reaching past 16 MiB.
    std::vector<std::uint8_t> body{0xFF, 0xFF, 0xFF, 0x00, 0x02, 0x01, 0x02, 'E', 'O', 'F'};
    EXPECT_EQ(applyPatch(source, ips(body)).error, TooLarge);
    // A record just inside the cap is a real (if large) result.
    const PatchResult edge = applyPatch(source, ips({0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x07, 'E', 'O', 'F'}));
    EXPECT_EQ(edge.error, "");
    EXPECT_EQ(edge.output.size(), PatchMaxImageBytes);
    EXPECT_EQ(edge.output.back(), 0x07);
}

} // namespace
