// Writing compressed: how long the shortest encoding of a 4000-character text
// takes, and what it saves over the plain encoding and over the blocks as
// stored, on the sample and on seeded images whose blocks were packed the way
// a game's own tool packs them (the longest string first, left to right).
#include "BenchImages.h"
#include "catalogue/TextCatalogue.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "text/TextCompressor.h"
#include "text/TextDecoder.h"
#include "text/TextEncoder.h"

#include <benchmark/benchmark.h>

#include <random>
#include <set>

using namespace scrivlet;

namespace {

const char* const Words[] = {"the", "you", "and", "to", "a", "is", "it", "of", "in", "that", "I", "be", "this", "for",
    "have", "not", "with", "what", "your", "are", "can", "go", "on", "we", "my", "here", "there", "some", "all", "just",
    "Onett", "Twoson", "Threed", "Ness", "Paula", "Jeff", "Poo", "hamburger", "Meteor", "police", "Happy", "Happyist",
    "Mr.", "Saturn", "boing", "zoom", "please", "thanks", "come", "back", "again", "look", "around", "town", "house",
    "really", "something", "strange", "happened", "last", "night", "everyone", "knows", "about", "dog", "King", "mother"};

// A dictionary of frequent words and word pairs, then dialogue from the same
// words, packed greedily with it into the pointer blocks of an image.
std::vector<std::uint8_t> seededImage(unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> image = bench::buildBenchImage(bench::BenchImage::Sample);
    CompressionDictionary dictionary{};
    std::vector<std::string> strings;
    for (const std::string w : Words) {
        strings.push_back(w + ' ');
        strings.push_back(' ' + w);
    }
    while (strings.size() < DictionarySlotCount - 1)
        strings.push_back(std::string(Words[rng() % std::size(Words)]) + " " + Words[rng() % std::size(Words)] + " ");
    std::size_t at = DictionaryOffset;
    for (std::size_t slot = 1; slot < DictionarySlotCount; ++slot) {
        const std::string& s = strings[slot - 1];
        std::copy_n(s.begin(), std::min<std::size_t>(s.size(), DictionarySlotLength), dictionary.slots[slot].begin());
        for (char c : std::string_view(dictionary.slot(static_cast<int>(slot))))
            image[at++] = static_cast<std::uint8_t>(c + CharacterOffset);
        image[at++] = 0x00;
    }
    // Blocks from the first raw range on, each record pointing at one.
    std::int32_t offset = RawTextRanges[1].start;
    for (int k = 0; k < 1406; ++k) {
        std::string text = "@";
        for (int w = 4 + static_cast<int>(rng() % 16); w > 0; --w)
            text += std::string(Words[rng() % std::size(Words)]) + (rng() % 6 == 0 ? ", " : " ");
        text.back() = rng() % 2 ? '.' : '?';
        text += rng() % 3 ? "[03][02]" : "[02]";
        // Greedy: the longest string at each position.
        std::vector<std::uint8_t> block;
        for (std::size_t i = 0; i < text.size();) {
            if (text[i] == '[') {
                const std::size_t close = text.find(']', i);
                for (std::uint32_t v : parseBracketGroup(text.substr(i, close + 1 - i)))
                    block.push_back(static_cast<std::uint8_t>(v));
                i = close + 1;
                continue;
            }
            int best = 0;
            std::size_t bestLength = 0;
            for (int slot = 1; slot < DictionarySlotCount; ++slot) {
                const std::string_view s = dictionary.slot(slot);
                if (s.size() > bestLength && text.compare(i, s.size(), s) == 0)
                    best = slot, bestLength = s.size();
            }
            if (bestLength > 2) {
                block.push_back(static_cast<std::uint8_t>(0x15 + best / 256));
                block.push_back(static_cast<std::uint8_t>(best % 256));
                i += bestLength;
            } else {
                block.push_back(static_cast<std::uint8_t>(text[i++] + CharacterOffset));
            }
        }
        std::copy(block.begin(), block.end(), image.begin() + offset);
        const std::uint32_t pointer = fileOffsetToSnes(offset);
        for (int b = 0; b < 4; ++b)
            image[static_cast<std::size_t>(0xF8B92 + 17 * k + 13 + b)] = static_cast<std::uint8_t>(pointer >> (8 * b));
        offset += static_cast<std::int32_t>(block.size());
    }
    return image;
}

// Over every distinct block of the pointer listing: bytes as stored, written
// back plain and written back compressed, and the blocks Prevent Overwrites
// refuses unchanged when plain and passes when compressed.
void measureSavings(benchmark::State& state, const std::vector<std::uint8_t>& image)
{
    RomFile rom;
    rom.openBytes(image);
    loadDictionary(rom);
    static TextCatalogue catalogue;
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    std::int64_t stored = 0, plain = 0, packed = 0, refusedPlain = 0, fitAgain = 0, blocks = 0, smallestGain = 1 << 30,
                 largestGain = 0;
    for (auto _ : state) {
        stored = plain = packed = refusedPlain = fitAgain = blocks = 0;
        std::set<std::int32_t> seen;
        for (int row = 0; row < catalogue.count; ++row) {
            const std::int32_t at = snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress));
            if (!seen.insert(at).second)
                continue;
            const DecodedText shown = decodeText(rom, at, true);
            const int p = encodedSize(shown.text);
            const int c = compressedSize(shown.text);
            ++blocks;
            stored += shown.size;
            plain += p;
            packed += c;
            smallestGain = std::min<std::int64_t>(smallestGain, p - c);
            largestGain = std::max<std::int64_t>(largestGain, p - c);
            if (p > shown.size) {
                ++refusedPlain;
                fitAgain += c <= shown.size;
            }
        }
    }
    state.counters["blocks"] = static_cast<double>(blocks);
    state.counters["stored_bytes"] = static_cast<double>(stored);
    state.counters["plain_bytes"] = static_cast<double>(plain);
    state.counters["compressed_bytes"] = static_cast<double>(packed);
    state.counters["saved_per_block"] = static_cast<double>(plain - packed) / static_cast<double>(std::max<std::int64_t>(blocks, 1));
    state.counters["least_saved"] = static_cast<double>(smallestGain);
    state.counters["most_saved"] = static_cast<double>(largestGain);
    state.counters["refused_plain"] = static_cast<double>(refusedPlain);
    state.counters["fit_again"] = static_cast<double>(fitAgain);
}

void BM_CompressionSavingsSample(benchmark::State& state)
{
    static const auto image = bench::buildBenchImage(bench::BenchImage::Sample);
    measureSavings(state, image);
}
BENCHMARK(BM_CompressionSavingsSample)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_CompressionSavingsSeeded(benchmark::State& state)
{
    const auto image = seededImage(static_cast<unsigned>(state.range(0)));
    measureSavings(state, image);
    state.SetLabel("seed " + std::to_string(state.range(0)));
}
BENCHMARK(BM_CompressionSavingsSeeded)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(1);

// 4000 characters of dialogue, with the sample's dictionary, with a seeded one
// and with the dense one (767 strings of 24 letters) over a text of letters only.
void BM_EncodeCompressed4000(benchmark::State& state)
{
    const int which = static_cast<int>(state.range(0));
    const std::vector<std::uint8_t> image = which == 0 ? bench::buildBenchImage(bench::BenchImage::Sample)
        : which == 1                                   ? seededImage(1)
                                                       : bench::buildBenchImage(bench::BenchImage::DenseDictionary);
    RomFile rom;
    rom.openBytes(image);
    loadDictionary(rom);
    const std::string line = which == 2 ? "abcdefghijklmnopqrstuvwxyzabcdefghij"
                                        : "@Hello, [1C 02 01]! Have you been to Onett? The Meteor fell there last night.[03][00]";
    std::string text;
    while (text.size() + line.size() <= 4000)
        text += line;
    text.resize(4000, 'a');
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = encodeCompressed(text).size();
    state.counters["plain_bytes"] = encodedSize(text);
    state.counters["compressed_bytes"] = static_cast<double>(bytes);
    state.SetLabel(which == 0 ? "sample dictionary" : which == 1 ? "seeded dictionary" : "dense dictionary, letters only");
}
BENCHMARK(BM_EncodeCompressed4000)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
