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

// --window N and --width PX: which window's text area, or how wide a line may
// be (at most 240 pixels, 30 tiles, unless the window named is wider). False
// (exitCode set) on a bad value.
struct WindowChoice {
    int entry = DialogueWindowEntry;
    std::optional<int> width;
};

bool windowOptions(const CommandSpec& spec, const Arguments& args, WindowChoice& choice, int& exitCode)
{
    int& entry = choice.entry;
    if (const auto given = args.option("window")) {
        const auto value = parseInteger(*given);
        if (!value || *value < 0 || *value >= WindowEntryCount) {
            exitCode = usageError(spec, "--window takes an entry of the window table from 0 to 255: " + *given);
            return false;
        }
        entry = static_cast<int>(*value);
    }
    std::optional<int>& width = choice.width;
    if (const auto given = args.option("width")) {
        if (args.option("window")) {
            exitCode = usageError(spec, "--window and --width cannot both be given.");
            return false;
        }
        const auto value = parseInteger(*given);
        if (!value || *value < 1 || *value > MaxLineLimit) {
            exitCode = usageError(spec, "--width takes a number of pixels from 1 to 240: " + *given);
            return false;
        }
        width = static_cast<int>(*value);
    }
    return true;
}

} // namespace

int runFit(const Words& words)
{
    static const CommandSpec spec{"fit",
        "fit ROM [--source pointer|raw|expanded] [--codes classic|game] [--window N | --width PX] [--scroll] [--table FILE|none]",
        "Lays out every block of the listing as the game's window does (word wrap, the image's\n"
        "fonts, names where they are printed) and prints one line 'ROW<TAB>LINE<TAB>KIND<TAB>DETAIL'\n"
        "for each word the window cuts (KIND cut: the word, its width and the room it had) and, with\n"
        "--scroll, each stretch of more lines between two waits than the window shows (KIND scroll).\n"
        "LINE counts lines after wrapping, from 1. The window is the dialogue window (entry 1) read\n"
        "from the image, or --window N, or a text area --width PX wide. Exits 1 when a line is printed.",
        {"table", "source", "codes", "window", "width"}, {"scroll"}, 1};
    WindowChoice choice;
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Listing,
            [&](CommandStart& s) { return windowOptions(spec, s.args, choice, s.exitCode); }))
        return start.exitCode;
    const LayoutSetup setup = readLayoutSetup(start.rom, choice.entry, choice.width);
    const bool scrolls = start.args.has("scroll");
    const auto found = checkFit(start.rom, textCatalogue(), setup, start.grouping, scrolls);
    std::string out;
    int rows = 0, lastRow = -1, cuts = 0;
    for (const FitFinding& f : found) {
        out += std::to_string(rowNumber(f.row)) + '\t' + std::to_string(f.line) + '\t' + (f.kind == FitFinding::Kind::Cut ? "cut" : "scroll")
            + '\t' + f.detail + '\n';
        rows += f.row != lastRow;
        lastRow = f.row;
        cuts += f.kind == FitFinding::Kind::Cut;
    }
    std::cout << out << std::flush;
    if (found.empty())
        return ExitOk;
    const auto counted = [](std::size_t n, const char* one, const char* many) { return std::to_string(n) + (n == 1 ? one : many); };
    std::string sentence = counted(static_cast<std::size_t>(cuts), " cut word", " cut words");
    if (scrolls)
        sentence += " and " + counted(found.size() - static_cast<std::size_t>(cuts), " stretch that scrolls away", " stretches that scroll away");
    return refuse(sentence + " in " + counted(static_cast<std::size_t>(rows), " row.", " rows."));
}

int runPreview(const Words& words)
{
    static const CommandSpec spec{"preview",
        "preview ROM (--address A | --row N [--source S]) --png OUT [--codes classic|game] [--window N | --width PX] [--table FILE|none]",
        "Draws a block as the game's window shows it, with the image's fonts and word wrap: the page\n"
        "the player reads at each wait and at the end, one under another at twice the size (at\n"
        "most 64), and writes the picture to OUT as PNG. A word the window cuts is drawn in warning\n"
        "colours.",
        {"table", "address", "row", "source", "png", "codes", "window", "width"}, {}, 1};
    WindowChoice choice;
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
            return windowOptions(spec, s.args, choice, s.exitCode)
                && acceptableOutput(*s.args.option("png"), {&s.args.positional[0]}, "ROM", s.exitCode);
        }))
        return start.exitCode;
    TextCatalogue& catalogue = textCatalogue();
    const auto target = resolveTarget(spec, start.args, start.rom, catalogue, start.exitCode);
    if (!target)
        return start.exitCode;
    BlockItems block;
    readBlockItems(start.rom, target->fileOffset, start.grouping, block);
    const LayoutSetup setup = readLayoutSetup(start.rom, choice.entry, choice.width);
    const TextLayout layout = layOutText(block.bytes, block.items, setup);
    const auto png = encodePng(renderPreview(layout, setup));
    const std::string& out = *start.args.option("png");
    if (!png || !replaceFileWith(out, *png))
        return refuse("The picture could not be written to " + out + ".");
    if (const int drawn = previewPagesDrawn(layout, setup); previewPageCount(layout) > drawn)
        std::cerr << "The block has " << previewPageCount(layout) << " pages; the picture shows the first " << drawn << ".\n";
    return ExitOk;
}

} // namespace scrivlet::cli
