#include "TextDump.h"

#include "TextCatalogue.h"
#include "rom/RomAddress.h"
#include "rom/TempFile.h"
#include "text/TextDecoder.h"

#include <stdio.h> // fdopen

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
    // A regular file is replaced whole, so a failed dump leaves the old one as
    // it was; a device or a pipe is written where it is.
    const bool replace = isReplaceableTarget(path);
    const std::string target = replace ? resolvedPath(path) : path;
    TempFile temp;
    std::FILE* out = nullptr;
    if (replace) {
        if (!temp.create(target))
            return false;
        temp.copyPermissionsFrom(target);
        out = ::fdopen(temp.release(), "w");
    } else {
        out = std::fopen(path.c_str(), "w");
    }
    if (!out)
        return false;
    bool ok = writeDump(rom, catalogue, out);
    if (std::fclose(out) != 0)
        ok = false;
    return ok && (!replace || temp.commit(target, false));
}

} // namespace scrivlet
