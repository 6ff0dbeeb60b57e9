// libFuzzer target: an arbitrary file opened as an image and listed from every
// source, each row decoded, shown in codes-only form and searched, as the
// window and the command-line tool do. Nothing may crash, hang or read out of bounds.
#include "catalogue/TextCatalogue.h"
#include "catalogue/TextSearch.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "rom/RomIdentity.h"
#include "text/CompressionDictionary.h"
#include "text/TextDecoder.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace scrivlet;

namespace {
// The places an image is read: the input's first byte picks one, the next two
// a distance past it, and the rest is put there over a file of zeros.
constexpr std::uint32_t Places[] = {0, 0x101C0, 0x51D12, 0x8BE3E, 0xF8B92, 0x2F5020, 0x300200, 0x3FFF00};

std::string imageFrom(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/scrivlet-fuzz-" + std::to_string(::getpid()) + ".smc";
    std::uint32_t at = 0;
    if (size >= 3) {
        at = Places[data[0] % std::size(Places)] + (static_cast<std::uint32_t>(data[1]) << 8 | data[2]);
        data += 3;
        size -= 3;
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return path;
    std::fseek(out, at, SEEK_SET);
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RomFile rom;
    if (!rom.open(imageFrom(data, size), RomFile::Access::ReadOnly))
        return 0;
    identifyRom(rom);
    romFileSize(rom);
    loadDictionary(rom);
    TextCatalogue& catalogue = textCatalogue();
    for (ListingSource source : {ListingSource::PointerTable, ListingSource::RawText, ListingSource::ExpandedRom}) {
        fillCatalogue(catalogue, rom, source);
        // The first rows are enough to reach every path; all of them only costs time.
        catalogue.count = std::min(catalogue.count, 64);
        for (int row = 0; row < catalogue.count; ++row) {
            const std::int32_t offset = snesToFileOffset(static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress));
            const DecodedText decoded = decodeText(rom, offset, true);
            renderCodesOnly(rom, offset, decoded.size);
            listLabelAt(rom, offset);
        }
        findMatchingRow(rom, catalogue, searchNeedle("zz"), 0);
    }
    return 0;
}
