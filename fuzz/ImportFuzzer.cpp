// libFuzzer target: import's dump parser and its checks over a small image
// held in memory, with and without Prevent Overwrites. Nothing is written; a
// dump that passes every check plans only writes that agree where they meet.
#include "catalogue/TextCatalogue.h"
#include "edit/TextImport.h"
#include "rom/RomFile.h"
#include "text/CompressionDictionary.h"

#include <string_view>
#include <vector>

using namespace scrivlet;

namespace {
// A small image: a few text blocks in the first raw range, one sharing bytes
// with the next, and dictionary strings.
std::vector<std::uint8_t> smallImage()
{
    std::vector<std::uint8_t> image(0x8C000, 0x00);
    const std::uint8_t text[] = {0x78, 0x95, 0x9C, 0x9C, 0x9F, 0x02, 0x77, 0x9F, 0x15, 0x01, 0x02, 0x1C, 0x02, 0x01, 0x83, 0x98,
        0x91, 0xA2, 0x95, 0x94, 0x02, 0x03, 0x02};
    std::copy(std::begin(text), std::end(text), image.begin() + 0x51D12);
    const std::uint8_t words[] = {0x91, 0x9E, 0x94, 0x00, 0x84, 0x98, 0x95, 0x00};
    std::copy(std::begin(words), std::end(words), image.begin() + DictionaryOffset);
    return image;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<std::uint8_t> image = smallImage(); // read in place: it lives as long as the image is open
    static RomFile rom;
    static TextCatalogue catalogue;
    if (!rom.isOpen()) {
        rom.openBytes(image);
        loadDictionary(rom);
        walkBlocks(catalogue, rom, RawTextRanges[0].start, RawTextRanges[0].start + 24);
    }
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    for (bool prevent : {true, false}) {
        const ImportResult result = importText(rom, catalogue, file, commandLineOptions(prevent, false), true);
        if (result.write != WriteStatus::Written)
            __builtin_trap(); // a dry run never writes
        importSummary(result, true);
        importRefusals(result);
    }
    return 0;
}
