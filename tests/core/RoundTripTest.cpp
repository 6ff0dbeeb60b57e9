#include "support/TestImage.h"
#include "rom/RomFile.h"
#include "text/TextDecoder.h"
#include "text/TextEncoder.h"

#include <gtest/gtest.h>

#include <random>

using namespace scrivlet;
using namespace scrivlet::testing;

namespace {

// Random blocks: bytes of every class, ending with an end code most of the time.
std::vector<std::uint8_t> randomBlock(std::mt19937& rng, bool avoidDictionaryAndBrackets)
{
    std::uniform_int_distribution<int> length(1, 300);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> block;
    const int n = length(rng);
    for (int i = 0; i < n; ++i) {
        int b = byte(rng);
        if (avoidDictionaryAndBrackets)
            while ((b >= 0x15 && b <= 0x17) || b == 0x8B || b == 0x8D)
                b = byte(rng);
        block.push_back(static_cast<std::uint8_t>(b));
    }
    block.push_back(0x02);
    return block;
}

CompressionDictionary someDictionary()
{
    CompressionDictionary d;
    for (int s = 1; s < DictionarySlotCount; ++s) {
        const std::string text = "w" + std::to_string(s) + " ";
        std::copy(text.begin(), text.end(), d.slots[static_cast<std::size_t>(s)].begin());
    }
    return d;
}

class RoundTrip : public ::testing::Test {
protected:
    // Read-only: each trial writes the file anew under the open stream.
    void SetUp() override
    {
        ASSERT_TRUE(rom.open(TestImage(0x800).writeTo(dir.file("r.smc")).string(), RomFile::Access::ReadOnly));
    }

    // Puts `block` at 0x100 (arguments past the block read from the image's next bytes).
    void place(const std::vector<std::uint8_t>& block)
    {
        TestImage image(0x100 + block.size() + 0x200);
        image.put(0x100, block);
        image.writeTo(dir.file("r.smc"));
        rom.beginAction(); // a new action sees the new bytes
    }

    TempDir dir;
    RomFile rom;
    CompressionDictionary dictionary = someDictionary();
};

TEST_F(RoundTrip, SizeEqualsBytesConsumedAndCodesOnlyFormEncodesBackExactly)
{
    std::mt19937 rng(20261207);
    for (int trial = 0; trial < 300; ++trial) {
        const auto block = randomBlock(rng, false);
        place(block);
        const DecodedText shown = decodeText(rom, 0x100, true, dictionary);
        const std::int64_t fileSize = 0x100 + static_cast<std::int64_t>(block.size()) + 0x200;
        EXPECT_EQ(rom.position(), std::min<std::int64_t>(0x100 + shown.size, fileSize)) << "trial " << trial;
        const DecodedText plain = decodeText(rom, 0x100, false, dictionary);
        EXPECT_EQ(plain.size, shown.size) << "trial " << trial;
        // The partial decodes give what the full one gives.
        EXPECT_EQ(decodeSize(rom, 0x100, dictionary), shown.size) << "trial " << trial;
        for (std::size_t limit : {std::size_t{0}, std::size_t{3}, std::size_t{149}}) {
            std::string start;
            decodePlainStart(rom, 0x100, limit, start, dictionary);
            EXPECT_EQ(start, plain.text.substr(0, limit)) << "trial " << trial << " limit " << limit;
        }

        const std::string codes = renderCodesOnly(rom, 0x100, shown.size);
        rom.seek(0x100);
        std::vector<std::uint8_t> consumed;
        for (int i = 0; i < shown.size; ++i)
            consumed.push_back(static_cast<std::uint8_t>(rom.readByte() & 0xFF));
        if (codes.find("FFFFFFFF") != std::string::npos) {
            // Bytes past the end of the file, shown as no byte can be: nothing to write back.
            EXPECT_EQ(encodedSize(codes), -1) << "trial " << trial;
            continue;
        }
        ASSERT_EQ(encodedSize(codes), shown.size) << "trial " << trial;
        EXPECT_EQ(encodeText(codes), consumed) << "trial " << trial;
    }
}

TEST_F(RoundTrip, TextAndCodesEncodeBackWithoutDictionaryOrBracketCharacters)
{
    std::mt19937 rng(7);
    for (int trial = 0; trial < 300; ++trial) {
        const auto block = randomBlock(rng, true);
        place(block);
        const DecodedText shown = decodeText(rom, 0x100, true, dictionary);
        rom.seek(0x100);
        std::vector<std::uint8_t> consumed;
        for (int i = 0; i < shown.size; ++i)
            consumed.push_back(static_cast<std::uint8_t>(rom.readByte() & 0xFF));
        ASSERT_EQ(encodedSize(shown.text), shown.size) << "trial " << trial << ": " << shown.text;
        EXPECT_EQ(encodeText(shown.text), consumed) << "trial " << trial;
    }
}

TEST_F(RoundTrip, DictionaryReferencesComeBackAsCharacters)
{
    place({0x15, 0x05, 0x15, 0x00, 0x02});
    const DecodedText shown = decodeText(rom, 0x100, true, dictionary);
    EXPECT_EQ(shown.text, "w5 [02]");
    EXPECT_EQ(encodedSize(shown.text), 4) << "3 characters and the end code for 4 bytes of references";
}

} // namespace
