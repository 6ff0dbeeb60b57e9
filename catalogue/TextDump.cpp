#include "TextDump.h"

#include "TextCatalogue.h"
#include "rom/RomAddress.h"
#include "text/TextDecoder.h"

namespace scrivlet {

bool writeDump(RomFile& rom, const TextCatalogue& catalogue, std::FILE* out)
{
    bool ok = true;
    for (int row = 0; row < catalogue.count && ok; ++row) {
        const auto address = static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress);
        const std::string text = decodeText(rom, snesToFileOffset(address), true).text;
        // fwrite, not "%s": a text may hold a NUL character (game byte 0x30).
        ok = std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fputc('\n', out) != EOF;
    }
    return ok;
}

bool writeDumpFile(RomFile& rom, const TextCatalogue& catalogue, const std::string& path)
{
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (!out)
        return false;
    bool ok = writeDump(rom, catalogue, out);
    if (std::fclose(out) != 0)
        ok = false;
    return ok;
}

} // namespace scrivlet
