// The shortest encoding with the image's dictionary: property tests over
// random texts and dictionaries against the decoder and a brute-force search.
#include "text/TextCompressor.h"
#include "text/TextDecoder.h"
#include "text/TextEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace scrivlet;

namespace {

CompressionDictionary dictionaryOf(const std::vector<std::string>& strings)
{
    CompressionDictionary d{};
    for (std::size_t i = 0; i < strings.size() && i + 1 < DictionarySlotCount; ++i)
        std::copy_n(strings[i].begin(), std::min<std::size_t>(strings[i].size(), DictionarySlotLength), d.slots[i + 1].begin());
    return d;
}

std::string decoded(const std::vector<std::uint8_t>& bytes, const CompressionDictionary& d) { return decodeBytes(bytes, true, d).text; }

// The fewest bytes of any encoding that decodes to `text`, searched through
// every way to cover its plain characters with characters and references.
std::size_t bruteForceMinimum(const std::string& text, const CompressionDictionary& d)
{
    std::size_t best = encodeText(text).size();
    std::vector<std::uint8_t> bytes;
    const auto search = [&](auto&& self, std::size_t i) -> void {
        if (bytes.size() >= best)
            return;
        if (i == text.size()) {
            if (decoded(bytes, d) == text)
                best = bytes.size();
            return;
        }
        if (text[i] == '[') {
            const std::size_t close = text.find(']', i);
            const std::size_t mark = bytes.size();
            for (std::uint32_t v : parseBracketGroup(text.substr(i, close + 1 - i)))
                bytes.push_back(static_cast<std::uint8_t>(v));
            self(self, close + 1);
            bytes.resize(mark);
            return;
        }
        for (int slot = 1; slot < DictionarySlotCount; ++slot) {
            const std::string_view s = d.slot(slot);
            if (!s.empty() && text.compare(i, s.size(), s) == 0) {
                bytes.push_back(static_cast<std::uint8_t>(0x15 + slot / 256));
                bytes.push_back(static_cast<std::uint8_t>(slot % 256));
                self(self, i + s.size());
                bytes.resize(bytes.size() - 2);
            }
        }
        bytes.push_back(static_cast<std::uint8_t>(static_cast<unsigned char>(text[i]) + CharacterOffset));
        self(self, i + 1);
        bytes.pop_back();
    };
    search(search, 0);
    return best;
}

// Texts as the decoder shows them: words from a small alphabet, complete code
// groups (never two in a row: the decoder shows those as one), the end code.
std::string randomText(std::mt19937& rng, std::size_t length)
{
    static const char* groups[] = {"[03]", "[00]", "[10 0F]", "[1C 02 01]", "[13]", "[01]"};
    std::string text;
    while (text.size() < length) {
        if (rng() % 8 == 0 && !text.empty() && text.back() != ']')
            text += groups[rng() % std::size(groups)];
        else
            text += "abe t.!,A"[rng() % 9];
    }
    if (!text.empty() && text.back() == ']')
        text += 'a';
    return text + "[02]";
}

CompressionDictionary randomDictionary(std::mt19937& rng, int count)
{
    std::vector<std::string> strings;
    for (int i = 0; i < count; ++i) {
        std::string s;
        for (int n = 1 + static_cast<int>(rng() % 5); n > 0; --n)
            s += "abe t.!,A"[rng() % 9];
        strings.push_back(s);
    }
    return dictionaryOf(strings);
}

TEST(Compressor, RandomTextsDecodeBackAndAreNeverLonger)
{
    std::mt19937 rng(2026);
    for (int trial = 0; trial < 400; ++trial) {
        const CompressionDictionary d = randomDictionary(rng, 1 + static_cast<int>(rng() % 700));
        const std::string text = randomText(rng, rng() % 300);
        const std::vector<std::uint8_t> packed = encodeCompressed(text, d);
        ASSERT_EQ(decoded(packed, d), text) << "trial " << trial << ": " << text;
        EXPECT_LE(packed.size(), encodeText(text).size());
        EXPECT_EQ(compressedSize(text, d), static_cast<int>(packed.size()));
    }
}

TEST(Compressor, LengthIsTheBruteForceMinimumOnShortTexts)
{
    std::mt19937 rng(7);
    for (int trial = 0; trial < 300; ++trial) {
        const CompressionDictionary d = randomDictionary(rng, 1 + static_cast<int>(rng() % 12));
        const std::string text = randomText(rng, 1 + rng() % 10);
        EXPECT_EQ(encodeCompressed(text, d).size(), bruteForceMinimum(text, d)) << "trial " << trial << ": " << text;
    }
}

TEST(Compressor, ReferencesReachEveryThirdOfTheDictionaryAndSkipUnusableSlots)
{
    std::vector<std::string> strings(767, "");
    strings[299] = "Onett";         // slot 300: 16 2C
    strings[699] = "Twoson";        // slot 700: 17 BC
    strings[9] = "x\u00C3y";         // not all space to z: never used
    strings[10] = "hamburger";      // slot 11: 15 0B
    const CompressionDictionary d = dictionaryOf(strings);
    EXPECT_EQ(encodeCompressed("Onett[03]Twoson hamburger[02]", d),
        (std::vector<std::uint8_t>{0x16, 0x2C, 0x03, 0x17, 0xBC, 0x50, 0x15, 0x0B, 0x02}));
    EXPECT_EQ(encodeCompressed("x\u00C3y[02]", d), encodeText("x\u00C3y[02]")) << "no reference stands for a string it cannot show";
    EXPECT_EQ(encodeCompressed("Ab[02]", d), encodeText("Ab[02]"));
}

TEST(Compressor, AReferenceIsNeverReadAsTheSubCodeOfTheCodeBeforeIt)
{
    // 1D followed by 15 is 1D 15 with five arguments: "Onett" right after a
    // group ending in 1D must stay characters; after 1D, 16 is harmless.
    std::vector<std::string> strings(767, "");
    strings[0] = "Onett";    // slot 1: 15 01
    strings[299] = "Twoson"; // slot 300: 16 2C
    const CompressionDictionary d = dictionaryOf(strings);
    const std::string first = "[1D]Onett[02]";
    EXPECT_EQ(decoded(encodeCompressed(first, d), d), first);
    EXPECT_EQ(encodeCompressed(first, d), encodeText(first));
    const std::string second = "[1D]Twoson[02]";
    EXPECT_EQ(encodeCompressed(second, d), (std::vector<std::uint8_t>{0x1D, 0x16, 0x2C, 0x02}));
    EXPECT_EQ(decoded(encodeCompressed(second, d), d), second);
}

TEST(Compressor, TextsThatDoNotComeBackKeepTheirMeaning)
{
    const CompressionDictionary d = dictionaryOf({"Onett", "the "});
    // A line break is written as its two bytes either way.
    for (const std::string text : {"Onett\r\nthe Onett[02]", "Onett[02]the Onett", "Onett", "[1C 02]Onett[02]"}) {
        const std::vector<std::uint8_t> packed = encodeCompressed(text, d), plain = encodeText(text);
        std::vector<std::uint8_t> a = packed, b = plain;
        a.push_back(0x02);
        b.push_back(0x02);
        EXPECT_EQ(decoded(a, d), decoded(b, d)) << text;
        EXPECT_LE(packed.size(), plain.size()) << text;
    }
    // Text after an end code is read too (a jump or a call can land there): a
    // reference must not become the arguments of a code before it.
    EXPECT_EQ(encodeCompressed("[02][1C]the ", d), encodeText("[02][1C]the ")) << "not 02 1C 15 01";
    EXPECT_EQ(encodeCompressed("[02][1C 02 01]the ", d), (std::vector<std::uint8_t>{0x02, 0x1C, 0x02, 0x01, 0x15, 0x02}))
        << "after a whole code the string may be a reference";
    const std::vector<std::uint8_t> two = encodeCompressed("Onett[02]the Onett", d);
    EXPECT_EQ(two, (std::vector<std::uint8_t>{0x15, 0x01, 0x02, 0x15, 0x02, 0x15, 0x01}));
    std::vector<std::uint8_t> afterEnd(two.begin() + 3, two.end());
    afterEnd.push_back(0x02);
    EXPECT_EQ(decoded(afterEnd, d), "the Onett[02]") << "the second block keeps its text";

    // Longer than the decoder reads uncompressed, yet whole once compressed.
    std::string longText;
    while (longText.size() < 4400)
        longText += "Onett ";
    longText += "[02]";
    const auto packed = encodeCompressed(longText, d);
    EXPECT_LT(packed.size(), 4000u);
    EXPECT_EQ(decoded(packed, d), longText);
}

} // namespace
