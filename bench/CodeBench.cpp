// What the code tools cost: every reference to a block over a whole listing,
// and the name line worked out again at each caret move.
#include "BenchImages.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/FitCheck.h"
#include "catalogue/TextReferences.h"
#include "rom/RomFile.h"
#include "text/CompressionDictionary.h"
#include "text/GamePreview.h"
#include "text/TextFit.h"
#include "text/TextNotes.h"

#include <benchmark/benchmark.h>

using namespace scrivlet;

namespace {

// A whole listing walked once per iteration by `walk`, which gives what it
// counted. Arguments: the image, the listing source.
template <typename Walk>
void walkListing(benchmark::State& state, const char* counted, Walk&& walk)
{
    const auto image = static_cast<bench::BenchImage>(state.range(0));
    RomFile rom;
    rom.open(bench::benchImagePath(image), RomFile::Access::ReadOnly);
    loadDictionary(rom);
    static TextCatalogue catalogue;
    fillCatalogue(catalogue, rom, static_cast<ListingSource>(state.range(1)));
    std::size_t found = 0;
    for (auto _ : state) {
        found = walk(rom, catalogue);
        rom.beginAction();
    }
    state.counters["rows"] = catalogue.count;
    state.counters[counted] = static_cast<double>(found);
    state.SetLabel(bench::benchImageName(image));
}

void listingArgs(benchmark::internal::Benchmark* b)
{
    b->Args({static_cast<int>(bench::BenchImage::Worst), static_cast<int>(ListingSource::ExpandedRom)})
        ->Args({static_cast<int>(bench::BenchImage::DenseDictionary), static_cast<int>(ListingSource::PointerTable)})
        ->Args({static_cast<int>(bench::BenchImage::Sample), static_cast<int>(ListingSource::PointerTable)})
        ->Unit(benchmark::kMillisecond);
}

// Everything that points at the first row's block.
void BM_FindReferences(benchmark::State& state)
{
    walkListing(state, "found", [](RomFile& rom, const TextCatalogue& catalogue) {
        const auto address = static_cast<std::uint32_t>(catalogue.rows[0].snesAddress);
        const TextReferences references = findReferences(rom, catalogue, address, CodeGrouping::Game);
        return references.records.size() + references.codes.size();
    });
}
BENCHMARK(BM_FindReferences)->Apply(listingArgs);

// The fit check of a whole listing laid out in the game's dialogue window, scrolls included.
void BM_FitCheck(benchmark::State& state)
{
    RomFile image;
    image.open(bench::benchImagePath(static_cast<bench::BenchImage>(state.range(0))), RomFile::Access::ReadOnly);
    const LayoutSetup setup = readLayoutSetup(image);
    walkListing(state, "found", [&setup](RomFile& rom, const TextCatalogue& catalogue) {
        return checkFit(rom, catalogue, setup, CodeGrouping::Classic, true).size();
    });
}
BENCHMARK(BM_FitCheck)->Apply(listingArgs);

// The marks and the preview picture for a 4000-byte text, as each keystroke needs them.
void BM_MarksAndPreview(benchmark::State& state)
{
    RomFile rom;
    rom.open(bench::benchImagePath(bench::BenchImage::Sample), RomFile::Access::ReadOnly);
    loadDictionary(rom);
    const LayoutSetup setup = readLayoutSetup(rom);
    std::string text;
    while (text.size() < 3990)
        text += "@How are you feeling today? Zoooooooooooooooooooom![03][00]";
    text.resize(3990);
    text += "[02]";
    for (auto _ : state) {
        benchmark::DoNotOptimize(cutRanges(text, setup, CodeGrouping::Classic));
        const EncodedText placed = encodeDisplayText(text);
        const TextLayout layout = layOutText(placed.bytes, textItems(placed.bytes, CodeGrouping::Classic), setup);
        benchmark::DoNotOptimize(renderPreview(layout, setup, 0));
    }
}
BENCHMARK(BM_MarksAndPreview)->Unit(benchmark::kMicrosecond);

// A 4000-character text of letters and groups, the caret in its middle.
void BM_CaretNote(benchmark::State& state)
{
    std::string text;
    while (text.size() < 4000)
        text += "Hello [1C 02 01][0A 12 1B C5 00] there [03][00] ";
    text.resize(4000);
    const std::size_t caret = 2000 + text.substr(2000).find('[') + 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(caretNote(text, caret, CodeGrouping::Game));
}
BENCHMARK(BM_CaretNote)->Unit(benchmark::kMicrosecond);

} // namespace
