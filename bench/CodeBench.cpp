// What the code tools cost: every reference to a block over a whole listing,
// and the name line worked out again at each caret move.
#include "BenchImages.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/FitCheck.h"
#include "catalogue/TextReferences.h"
#include "rom/RomFile.h"
#include "text/CompressionDictionary.h"
#include "text/GamePreview.h"
#include "text/TextNotes.h"

#include <benchmark/benchmark.h>

using namespace scrivlet;

namespace {

// Arguments: the image, the listing source.
void BM_FindReferences(benchmark::State& state)
{
    const auto image = static_cast<bench::BenchImage>(state.range(0));
    RomFile rom;
    rom.open(bench::benchImagePath(image), RomFile::Access::ReadOnly);
    loadDictionary(rom);
    static TextCatalogue catalogue;
    fillCatalogue(catalogue, rom, static_cast<ListingSource>(state.range(1)));
    const auto address = static_cast<std::uint32_t>(catalogue.rows[0].snesAddress);
    std::size_t found = 0;
    for (auto _ : state) {
        const TextReferences references = findReferences(rom, catalogue, address, CodeGrouping::Game);
        found = references.records.size() + references.codes.size();
        rom.beginAction();
    }
    state.counters["rows"] = catalogue.count;
    state.counters["found"] = static_cast<double>(found);
    state.SetLabel(bench::benchImageName(image));
}
BENCHMARK(BM_FindReferences)
    ->Args({static_cast<int>(bench::BenchImage::Worst), static_cast<int>(ListingSource::ExpandedRom)})
    ->Args({static_cast<int>(bench::BenchImage::DenseDictionary), static_cast<int>(ListingSource::PointerTable)})
    ->Args({static_cast<int>(bench::BenchImage::Sample), static_cast<int>(ListingSource::PointerTable)})
    ->Unit(benchmark::kMillisecond);

// The fit check of a whole listing. Arguments: the image, the listing source.
void BM_FitCheck(benchmark::State& state)
{
    const auto image = static_cast<bench::BenchImage>(state.range(0));
    RomFile rom;
    rom.open(bench::benchImagePath(image), RomFile::Access::ReadOnly);
    loadDictionary(rom);
    static TextCatalogue catalogue;
    fillCatalogue(catalogue, rom, static_cast<ListingSource>(state.range(1)));
    const GameFont font = readGameFont(rom);
    std::size_t found = 0;
    for (auto _ : state) {
        found = checkFit(rom, catalogue, font, 136, CodeGrouping::Classic).size();
        rom.beginAction();
    }
    state.counters["rows"] = catalogue.count;
    state.counters["too_wide"] = static_cast<double>(found);
    state.SetLabel(bench::benchImageName(image));
}
BENCHMARK(BM_FitCheck)
    ->Args({static_cast<int>(bench::BenchImage::Worst), static_cast<int>(ListingSource::ExpandedRom)})
    ->Args({static_cast<int>(bench::BenchImage::DenseDictionary), static_cast<int>(ListingSource::PointerTable)})
    ->Args({static_cast<int>(bench::BenchImage::Sample), static_cast<int>(ListingSource::PointerTable)})
    ->Unit(benchmark::kMillisecond);

// The marks and the preview picture for a 4000-byte text, as each keystroke needs them.
void BM_MarksAndPreview(benchmark::State& state)
{
    RomFile rom;
    rom.open(bench::benchImagePath(bench::BenchImage::Sample), RomFile::Access::ReadOnly);
    loadDictionary(rom);
    const GameFont font = readGameFont(rom);
    std::string text;
    while (text.size() < 3990)
        text += "@How are you feeling today?[03][00]";
    text.resize(3990);
    text += "[02]";
    const PreviewLayout layout{lineLimit(rom), windowLines(rom), 2};
    for (auto _ : state) {
        benchmark::DoNotOptimize(overflowRanges(text, layout.limit, font, CodeGrouping::Classic));
        const PlacedBytes placed = encodeWithPlaces(text);
        const TextMeasure measure = measureText(placed.bytes, blockItems(placed.bytes, CodeGrouping::Classic), font);
        benchmark::DoNotOptimize(renderPreview(placed.bytes, measure, font, layout, 0));
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
