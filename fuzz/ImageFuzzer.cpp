// libFuzzer target: arbitrary bytes opened as an image and listed from every
// source, each listed row decoded, shown in codes-only form and searched, as
// the window and the command-line tool do. Nothing may crash, hang or read out
// of bounds. The image is held in memory; each walk covers a bounded stretch,
// which reaches every path of the listing at a thousand runs a second.
#include "ImagePlaces.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/TextSearch.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "rom/RomIdentity.h"
#include "text/CompressionDictionary.h"
#include "text/TextDecoder.h"

#include <algorithm>
#include <iterator>

using namespace scrivlet;
using scrivlet::fuzz::Places;

namespace {
// The places an image is read: the input's first byte picks one, the next two
// a distance past it, and the rest is put there over a filler of end codes
// (02 00 02 00 ...), so that the blocks around it are short and the
// dictionary strings end at once: the time goes to the input's own bytes.
constexpr std::int32_t WalkedBytes = 1024;
constexpr int RowsDecoded = 32;

// One image for every run, the filler already in place: each run puts its
// bytes in, reads the image that far, and puts the filler back.
std::vector<std::uint8_t>& fillerImage()
{
    static std::vector<std::uint8_t> image = [] {
        std::vector<std::uint8_t> filler(Places[std::size(Places) - 1] + 0x10000 + 0x10000);
        for (std::size_t i = 0; i < filler.size(); i += 2)
            filler[i] = 0x02;
        return filler;
    }();
    return image;
}

void decodeRows(RomFile& rom, TextCatalogue& catalogue)
{
    catalogue.count = std::min(catalogue.count, RowsDecoded);
    for (int row = 0; row < catalogue.count; ++row) {
        const auto address = static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress);
        const std::int32_t offset = snesToFileOffset(address);
        const DecodedText decoded = decodeText(rom, offset, true);
        if (decoded.size != decodeSize(rom, offset))
            __builtin_trap();
        renderCodesOnly(rom, offset, decoded.size);
        listLabelAt(rom, offset);
    }
    findMatchingRow(rom, catalogue, searchNeedle("zz"), 0);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t at = 0;
    if (size >= 3) {
        at = Places[data[0] % std::size(Places)] + (static_cast<std::uint32_t>(data[1]) << 8 | data[2]);
        data += 3;
        size -= 3;
    }
    std::vector<std::uint8_t>& image = fillerImage();
    size = std::min(size, image.size() - at);
    std::copy(data, data + size, image.begin() + at);
    RomFile rom;
    rom.openBytes(std::span(image).first(at + size));
    identifyRom(rom);
    romFileSize(rom);
    loadDictionary(rom);
    TextCatalogue& catalogue = textCatalogue();
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    decodeRows(rom, catalogue);
    // The raw and expanded walks, each range inside the image over its first
    // stretch (past its end every block is 4000 bytes of end-of-file).
    std::vector<TextRange> ranges(RawTextRanges.begin(), RawTextRanges.end());
    ranges.push_back(ExpandedTextRange);
    catalogue.count = 0;
    for (const TextRange& range : ranges)
        if (range.start < rom.size())
            walkBlocks(catalogue, rom, range.start, std::min(range.endBound, range.start + WalkedBytes));
    decodeRows(rom, catalogue);
    rom.close();
    for (std::size_t i = at; i < at + size; ++i)
        image[i] = i % 2 == 0 ? 0x02 : 0x00;
    return 0;
}
