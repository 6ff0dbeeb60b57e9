// Writes seed inputs of real size for the fuzz targets, cut from the sample
// image: each row's whole block for the codec, its text with codes for the
// text and compression targets (the latter after the image's own dictionary
// strings), and 64 KiB stretches of the whole image at every place the image
// target writes to.
//   fuzz_seeds OUTDIR   (makes OUTDIR/codec, text, compression, image)
#include "ImagePlaces.h"
#include "catalogue/TextCatalogue.h"
#include "cli/PngFile.h"
#include "cli/SampleFont.h"
#include "cli/SampleImage.h"
#include "text/FontSheet.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "text/CompressionDictionary.h"
#include "text/TextDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using namespace scrivlet;
namespace fs = std::filesystem;

namespace {

constexpr int MostSeeds = 160;      // of each kind: the corpus stays quick to load
constexpr std::size_t ImageSeed = 65536;

void put(const fs::path& folder, int number, const void* bytes, std::size_t size)
{
    char name[16];
    std::snprintf(name, sizeof name, "seed-%04d", number);
    std::ofstream(folder / name, std::ios::binary).write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds OUTDIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* target : {"codec", "text", "compression", "image", "table", "font_sheet"})
        fs::create_directories(out / target);
    const std::vector<std::uint8_t> image = buildSampleImage(false);
    RomFile rom;
    rom.openBytes(image);
    loadDictionary(rom);
    TextCatalogue& catalogue = textCatalogue();
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);

    // The dictionary's first strings, as the compression target reads them.
    std::string strings;
    int count = 0;
    for (int slot = 1; slot < DictionarySlotCount && count < 47; ++slot) {
        const std::string_view s = compressionDictionary().slot(slot);
        if (s.empty() || s.size() > 8 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && c <= 0x7A; }))
            continue;
        strings += static_cast<char>(s.size() - 1);
        for (char c : s)
            strings += static_cast<char>(c - 0x20);
        ++count;
    }
    int seeds = 0;
    for (int row = 0; row < catalogue.count && seeds < MostSeeds; ++row) {
        const std::int32_t offset = snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress));
        const DecodedText text = decodeText(rom, offset, true);
        const std::size_t from = static_cast<std::size_t>(offset);
        const std::size_t length = std::min(image.size() - from, static_cast<std::size_t>(text.size) + 16);
        put(out / "codec", seeds, image.data() + from, length);
        put(out / "text", seeds, text.text.data(), text.text.size());
        const std::string compression = static_cast<char>(count) + strings + text.text;
        put(out / "compression", seeds, compression.data(), compression.size());
        ++seeds;
    }
    int places = 0;
    for (std::uint32_t place : fuzz::Places) {
        std::vector<std::uint8_t> seed{static_cast<std::uint8_t>(places), 0, 0};
        for (std::size_t i = 0; i + 3 < ImageSeed; ++i)
            seed.push_back(place + i < image.size() ? image[place + i] : static_cast<std::uint8_t>(i % 2 == 0 ? 0x02 : 0x00));
        put(out / "image", places++, seed.data(), seed.size());
    }
    // The sample's table, and its fonts drawn as sheets and their widths.
    put(out / "table", 0, sampleCharacterTable(), std::strlen(sampleCharacterTable()));
    int sheets = 0;
    for (const bool expanded : {false, true}) {
        const std::vector<std::uint8_t> whole = buildSampleImage(expanded);
        RomFile fonts;
        fonts.openBytes(whole);
        for (FontKind kind : {FontKind::Main, FontKind::Saturn}) {
            const int glyphs = glyphRoom(fontEntry(fonts, kind));
            const GameFont font = readGameFont(fonts, kind);
            if (const auto png = cli::encodePng(fontSheet(font, glyphs)))
                put(out / "font_sheet", sheets++, png->data(), png->size());
            const std::string widths = fontWidthsText(font, glyphs);
            put(out / "font_sheet", sheets++, widths.data(), widths.size());
        }
    }
    std::printf("%d blocks and %d image stretches\n", seeds, places);
    return 0;
}
