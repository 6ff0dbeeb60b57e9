// How text looks in the game's window: fit and preview.
#include "catalogue/BlockItems.h"
#include "catalogue/FitCheck.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PngFile.h"
#include "rom/TempFile.h"
#include "text/GamePreview.h"

#include <iostream>

namespace scrivlet::cli {

namespace {

constexpr long long MaxWidth = 4096;

// --width: the pixels a line may take; nullopt when not given. False on a bad value.
bool widthOption(const CommandSpec& spec, const Arguments& args, std::optional<int>& width, int& exitCode)
{
    const auto given = args.option("width");
    if (!given)
        return true;
    const auto value = parseInteger(*given);
    if (!value || *value < 1 || *value > MaxWidth) {
        exitCode = usageError(spec, "--width takes a number of pixels from 1 to 4096: " + *given);
        return false;
    }
    width = static_cast<int>(*value);
    return true;
}

} // namespace

int runFit(const Words& words)
{
    static const CommandSpec spec{"fit", "fit ROM [--source pointer|raw|expanded] [--codes classic|game] [--width PX]",
        "Checks that every line of the listing's blocks fits the game's dialogue window, measured\n"
        "with the image's font: one line 'ROW<TAB>LINE<TAB>WIDTH<TAB>LIMIT' for each line that does\n"
        "not (LINE counted from 1 in its block, widths in pixels). The limit is --width, else the\n"
        "dialogue window's width read from the image. Exits 0 when every line fits, 1 when not.",
        {"source", "codes", "width"}, {}, 1};
    std::optional<int> width;
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Listing,
            [&](CommandStart& s) { return widthOption(spec, s.args, width, s.exitCode); }))
        return start.exitCode;
    const int limit = lineLimit(start.rom, width);
    const auto overflows = checkFit(start.rom, textCatalogue(), readGameFont(start.rom), limit, start.grouping);
    std::string out;
    int rows = 0, lastRow = -1;
    for (const FitOverflow& o : overflows) {
        out += std::to_string(o.row) + '\t' + std::to_string(o.line) + '\t' + std::to_string(o.width) + '\t'
            + std::to_string(limit) + '\n';
        rows += o.row != lastRow;
        lastRow = o.row;
    }
    std::cout << out << std::flush;
    if (overflows.empty())
        return ExitOk;
    return refuse(std::to_string(overflows.size()) + (overflows.size() == 1 ? " line" : " lines") + " in "
        + std::to_string(rows) + (rows == 1 ? " row is" : " rows are") + " wider than " + std::to_string(limit) + " pixels.");
}

int runPreview(const Words& words)
{
    static const CommandSpec spec{"preview",
        "preview ROM (--address A | --row N [--source S]) --png OUT [--codes classic|game] [--width PX]",
        "Draws a block as the game's dialogue window shows it, with the image's font, every page\n"
        "of the window one under another at twice the size, and writes the picture to OUT as PNG.\n"
        "What runs past the window's edge is drawn in warning colours.",
        {"address", "row", "source", "png", "codes", "width"}, {}, 1};
    std::optional<int> width;
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Rom, [&](CommandStart& s) {
            if (!s.args.option("png")) {
                s.exitCode = usageError(spec, "--png OUT names the picture to write.");
                return false;
            }
            if (!canWritePng()) {
                s.exitCode = refuse("This build of scrivlet-cli cannot write PNG files (it was made without libpng).");
                return false;
            }
            return widthOption(spec, s.args, width, s.exitCode)
                && acceptableOutput(*s.args.option("png"), {&s.args.positional[0]}, "ROM", s.exitCode);
        }))
        return start.exitCode;
    TextCatalogue& catalogue = textCatalogue();
    const auto target = resolveTarget(spec, start.args, start.rom, catalogue, start.exitCode);
    if (!target)
        return start.exitCode;
    BlockItems block;
    readBlockItems(start.rom, target->fileOffset, start.grouping, block);
    const GameFont font = readGameFont(start.rom);
    const TextMeasure measure = measureText(block.bytes, block.items, font);
    const PreviewLayout layout{lineLimit(start.rom, width), windowLines(start.rom), 2};
    const auto png = encodePng(renderPreview(block.bytes, measure, font, layout));
    const std::string& out = *start.args.option("png");
    if (!png || !replaceFileWith(out, *png))
        return refuse("The picture could not be written to " + out + ".");
    return ExitOk;
}

} // namespace scrivlet::cli
