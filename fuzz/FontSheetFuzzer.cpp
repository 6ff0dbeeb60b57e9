// libFuzzer target: any file given to font import as the picture (and as its
// widths) is read or refused with a sentence, never a fault; a picture taken
// as a sheet is the sheet of the glyphs read from it.
#include "cli/PngFile.h"
#include "text/FontSheet.h"

#include <cstdlib>

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    GameFont font{};
    const std::string widths = readFontWidths(std::string_view(reinterpret_cast<const char*>(data), size), 96, font);
    if (!widths.empty() && widths.find("byte") == std::string::npos && widths.find("line") != 0)
        std::abort();
    const auto picture = cli::decodePng(bytes);
    if (!picture)
        return 0;
    for (int glyphs : {96, 128}) {
        const SheetRead read = readFontSheet(*picture, glyphs, GameFont{});
        if (read.font.has_value() == !read.refusal.empty())
            std::abort();
        if (!read.font)
            continue;
        // Drawn again and read again, the glyphs stay as they are.
        const SheetRead again = readFontSheet(fontSheet(*read.font, glyphs), glyphs, GameFont{});
        if (!again.font || again.font->glyphs != read.font->glyphs)
            std::abort();
    }
    return 0;
}
