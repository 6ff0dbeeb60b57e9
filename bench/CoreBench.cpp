// Listing, search, dump and codec costs on the expanded sample image and on a
// worst-case image. Run with: bash scripts/bench.sh
#include "BenchImages.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/TextDump.h"
#include "catalogue/TextSearch.h"
#include "catalogue/TptRecord.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "text/CharacterTable.h"
#include "text/TextDecoder.h"
#include "text/Utf8.h"
#include "text/TextEncoder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace scrivlet;

namespace {

const std::string& imagePath(int which) { return bench::benchImagePath(static_cast<bench::BenchImage>(which)); }
const char* imageName(int which) { return bench::benchImageName(static_cast<bench::BenchImage>(which)); }

// The image of benchmark argument 0 with its raw listing built.
RomFile openRawListing(const benchmark::State& state, TextCatalogue& catalogue)
{
    RomFile rom;
    rom.open(imagePath(static_cast<int>(state.range(0))), RomFile::Access::ReadOnly);
    loadDictionary(rom);
    fillCatalogue(catalogue, rom, ListingSource::RawText);
    return rom;
}

void reportPerByte(benchmark::State& state, std::int64_t bytes)
{
    state.SetBytesProcessed(bytes);
    state.counters["ns_per_byte"] = benchmark::Counter(static_cast<double>(bytes) * 1e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(state.range(0) == 0 ? "dialogue blocks" : "4000-byte block");
}

void BM_ListingWithLabels(benchmark::State& state)
{
    RomFile rom;
    rom.open(imagePath(static_cast<int>(state.range(0))), RomFile::Access::ReadOnly);
    const auto source = static_cast<ListingSource>(state.range(1));
    static TextCatalogue catalogue;
    std::size_t labelChars = 0;
    for (auto _ : state) {
        loadDictionary(rom);
        fillCatalogue(catalogue, rom, source);
        for (int i = 0; i < catalogue.count; ++i)
            labelChars += listLabel(rom, catalogue.rows[static_cast<std::size_t>(i)]).size();
        rom.beginAction(); // each listing is an action of its own
    }
    benchmark::DoNotOptimize(labelChars);
    state.counters["rows"] = catalogue.count;
    state.SetLabel(std::string(imageName(static_cast<int>(state.range(0)))) + "/"
        + (source == ListingSource::PointerTable ? "pointer" : source == ListingSource::RawText ? "raw" : "expanded"));
}
BENCHMARK(BM_ListingWithLabels)
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

// The same listings read through a character table of 200 entries (bytes 20
// to E7, each a letter of two UTF-8 bytes), as a translation's table is.
void BM_ListingWithTable(benchmark::State& state)
{
    CharacterTable table;
    for (int b = 0x20; b < 0x20 + 200; ++b) {
        std::string letter;
        appendUtf8(letter, static_cast<char32_t>(0x400 + b));
        table.add(static_cast<std::uint8_t>(b), letter);
    }
    currentCharacterTable() = std::move(table);
    BM_ListingWithLabels(state);
    currentCharacterTable() = CharacterTable{};
}
BENCHMARK(BM_ListingWithTable)->ArgsProduct({{0, 1, 2}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

void BM_SearchNoMatchRaw(benchmark::State& state)
{
    static TextCatalogue catalogue;
    RomFile rom = openRawListing(state, catalogue);
    const std::string needle = searchNeedle("no such words anywhere");
    for (auto _ : state)
        benchmark::DoNotOptimize(findMatchingRow(rom, catalogue, needle, 1));
    state.counters["rows"] = catalogue.count;
    state.SetLabel(imageName(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_SearchNoMatchRaw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_DumpRaw(benchmark::State& state)
{
    static TextCatalogue catalogue;
    RomFile rom = openRawListing(state, catalogue);
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state)
        benchmark::DoNotOptimize(writeDump(rom, catalogue, sink));
    std::fclose(sink);
    state.SetLabel(imageName(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_DumpRaw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_EncodedSize4000(benchmark::State& state)
{
    // Whole lines of text and codes, padded with letters to exactly 4000 characters.
    const std::string line = "@Hello, [1C 02 01]! How are you?[03][00]";
    std::string text;
    while (text.size() + line.size() <= 4000)
        text += line;
    text.resize(4000, 'A');
    if (encodedSize(text) < 0) {
        state.SkipWithError("the benchmark text has a bracket error");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(encodedSize(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 4000);
}
BENCHMARK(BM_EncodedSize4000)->Unit(benchmark::kMicrosecond);

// Decoding the sample's pointer blocks (typical dialogue) or one 4000-byte
// block, through the file and from memory: compare the ns per byte.
std::vector<std::int32_t> blockOffsets(int kind)
{
    if (kind == 1)
        return {RawTextRanges[0].start}; // worst image: 4000 characters
    RomFile rom;
    rom.open(imagePath(0), RomFile::Access::ReadOnly);
    static TextCatalogue catalogue;
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    std::vector<std::int32_t> offsets;
    for (int i = 0; i < catalogue.count; ++i)
        offsets.push_back(snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(i)].snesAddress)));
    return offsets;
}

void BM_DecodeThroughRomFile(benchmark::State& state)
{
    const int kind = static_cast<int>(state.range(0));
    const auto offsets = blockOffsets(kind);
    RomFile rom;
    rom.open(imagePath(kind), RomFile::Access::ReadOnly);
    loadDictionary(rom);
    std::int64_t bytes = 0;
    for (auto _ : state)
        for (std::int32_t offset : offsets)
            bytes += decodeText(rom, offset, true).size;
    reportPerByte(state, bytes);
}
BENCHMARK(BM_DecodeThroughRomFile)->Arg(0)->Arg(1);

void BM_DecodeFromMemory(benchmark::State& state)
{
    const int kind = static_cast<int>(state.range(0));
    const auto offsets = blockOffsets(kind);
    const std::vector<std::uint8_t> image = bench::buildBenchImage(static_cast<bench::BenchImage>(kind));
    RomFile rom;
    rom.open(imagePath(kind), RomFile::Access::ReadOnly);
    loadDictionary(rom);
    std::int64_t bytes = 0;
    for (auto _ : state)
        for (std::int32_t offset : offsets)
            bytes += decodeBytes(std::span(image).subspan(static_cast<std::size_t>(offset)), true).size;
    reportPerByte(state, bytes);
}
BENCHMARK(BM_DecodeFromMemory)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
