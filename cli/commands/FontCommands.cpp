// scrivlet-cli font export | import | extend: a font of the image as a picture
// and its widths as text, taken back whole, and moved for 32 more letters.
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PngFile.h"
#include "edit/FontChanges.h"
#include "edit/TextApply.h"
#include "rom/NativeFile.h"
#include "rom/TempFile.h"
#include "text/FontSheet.h"

#include <iostream>

namespace scrivlet::cli {

namespace {

bool fontOption(const CommandSpec& spec, const Arguments& args, FontKind& kind, int& exitCode)
{
    const std::string* font = args.option("font");
    if (font && *font != "main" && *font != "saturn") {
        exitCode = usageError(spec, "--font takes main or saturn.");
        return false;
    }
    kind = font && *font == "saturn" ? FontKind::Saturn : FontKind::Main;
    return true;
}

bool pngAvailable(int& exitCode)
{
    if (canWritePng())
        return true;
    exitCode = refuse("This build of scrivlet-cli cannot read or write PNG files (it was made without libpng).");
    return false;
}

// The font's room where it lies now, or the refusal when its entry is unknown.
bool fontRoom(RomFile& rom, FontKind kind, int& glyphs, int& exitCode)
{
    const FontEntry entry = fontEntry(rom, kind);
    if (entry == FontEntry::Unknown) {
        exitCode = refuse(fontChangeMessage({FontChangeOutcome::UnknownEntry}, kind));
        return false;
    }
    glyphs = glyphRoom(entry);
    return true;
}

int runFontExport(const Words& words)
{
    static const CommandSpec spec{"font export", "font export ROM OUT.png [--font main|saturn]",
        "Writes a font's glyphs as one picture, 16 to a row: glyph k's 16 x 16 pixels at\n"
        "(1 + 17 (k mod 16), 1 + 17 (k div 16)), grey grid lines between, black ink on white;\n"
        "and OUT.png.txt with a line BYTE<TAB>WIDTH per glyph (50 for glyph 0). 96 glyphs, or\n"
        "128 once the font has room for 32 more letters.",
        {"font"}, {}, 2};
    FontKind kind = FontKind::Main;
    CommandStart start;
    std::string widthsPath;
    if (!start.begin(spec, words, StartsWith::Rom, [&](CommandStart& s) {
            widthsPath = s.args.positional[1] + ".txt";
            return fontOption(spec, s.args, kind, s.exitCode) && pngAvailable(s.exitCode)
                && acceptableOutput(s.args.positional[1], {&s.args.positional[0]}, "ROM", s.exitCode)
                && acceptableOutput(widthsPath, {&s.args.positional[0]}, "ROM", s.exitCode);
        }))
        return start.exitCode;
    int glyphs = 0;
    if (!fontRoom(start.rom, kind, glyphs, start.exitCode))
        return start.exitCode;
    const GameFont font = readGameFont(start.rom, kind);
    const auto png = encodePng(fontSheet(font, glyphs));
    const std::string& out = start.args.positional[1];
    if (!png || !replaceFileWith(out, *png))
        return refuse("The picture could not be written to " + out + ".");
    const std::string widths = fontWidthsText(font, glyphs);
    if (!replaceFileWith(widthsPath, std::span(reinterpret_cast<const std::uint8_t*>(widths.data()), widths.size())))
        return refuse("The widths could not be written to " + widthsPath + ".");
    std::cout << glyphs << " glyphs of the " << fontName(kind) << " font written to " << out << " and " << widthsPath << "\n";
    return ExitOk;
}

int runFontImport(const Words& words)
{
    static const CommandSpec spec{"font import", "font import ROM IN.png [--widths FILE] [--font main|saturn]",
        "Takes a picture made as font export makes it back into the font (a pixel darker than\n"
        "middle grey is ink), with the widths of FILE (else IN.png.txt when it is there; else\n"
        "the widths stay). The glyphs and widths are written whole or not at all.",
        {"widths", "font"}, {}, 2};
    FontKind kind = FontKind::Main;
    CommandStart start;
    start.access = RomFile::Access::Update;
    std::vector<std::uint8_t> png, widths;
    bool haveWidths = false;
    if (!start.begin(spec, words, StartsWith::Rom, [&](CommandStart& s) {
            if (!fontOption(spec, s.args, kind, s.exitCode) || !pngAvailable(s.exitCode)
                || !readInputFile(s.args.positional[1], "The picture", TextFileMaxBytes * 16, png, s.exitCode))
                return false;
            const std::string* given = s.args.option("widths");
            const std::string beside = s.args.positional[1] + ".txt";
            native::FileInfo info;
            if (!given && !native::pathInfo(beside, info))
                return true;
            haveWidths = true;
            return readInputFile(given ? *given : beside, "The widths file", TextFileMaxBytes, widths, s.exitCode);
        }))
        return start.exitCode;
    int glyphs = 0;
    if (!fontRoom(start.rom, kind, glyphs, start.exitCode))
        return start.exitCode;
    const auto picture = decodePng(png);
    if (!picture)
        return refuse("The file " + start.args.positional[1] + " is not a PNG picture that can be read, so nothing was written.");
    const GameFont now = readGameFont(start.rom, kind);
    SheetRead read = readFontSheet(*picture, glyphs, now);
    if (!read.font)
        return refuse(read.refusal + ", so nothing was written.");
    if (haveWidths) {
        const std::string why = readFontWidths(std::string_view(reinterpret_cast<const char*>(widths.data()), widths.size()), glyphs, *read.font);
        if (!why.empty())
            return refuse("The widths file: " + why + ", so nothing was written.");
    }
    if (read.font->glyphs == now.glyphs && read.font->widths == now.widths) {
        std::cout << "The picture and widths are what the " << fontName(kind) << " font holds; nothing was written.\n";
        return ExitOk;
    }
    const FontChange change = writeWholeFont(start.rom, kind, *read.font, glyphs);
    if (change.outcome != FontChangeOutcome::Written)
        return refuse(fontChangeMessage(change, kind));
    std::cout << glyphs << " glyphs of the " << fontName(kind) << " font written.\n";
    return ExitOk;
}

int runFontExtend(const Words& words)
{
    static const CommandSpec spec{"font extend", "font extend ROM [--font main|saturn]",
        "Gives a font room for 128 letters: copies its 96 glyphs and widths into free blocks of\n"
        "the expanded area with 32 blank glyphs after them, and points the font table there, so\n"
        "bytes B0-CF draw letters of their own. The ROM must be expanded.",
        {"font"}, {}, 1};
    FontKind kind = FontKind::Main;
    CommandStart start;
    start.access = RomFile::Access::Update;
    if (!start.begin(spec, words, StartsWith::Rom, [&](CommandStart& s) { return fontOption(spec, s.args, kind, s.exitCode); }))
        return start.exitCode;
    const FontChange change = moveFontForMoreLetters(start.rom, kind);
    if (change.outcome == FontChangeOutcome::AlreadyMoved) {
        std::cout << fontChangeMessage(change, kind) << "\n";
        return ExitOk;
    }
    if (change.outcome != FontChangeOutcome::Written)
        return refuse(fontChangeMessage(change, kind));
    std::cout << "The " << fontName(kind) << " font now lies at " << hexAddress(change.glyphs)
              << " with room for 128 letters; bytes B0-CF draw glyphs 96-127.\n";
    return ExitOk;
}

} // namespace

int runFont(const Words& words)
{
    const std::string what = words.empty() ? "" : words[0];
    const Words rest(words.begin() + (words.empty() ? 0 : 1), words.end());
    if (what == "export")
        return runFontExport(rest);
    if (what == "import")
        return runFontImport(rest);
    if (what == "extend")
        return runFontExtend(rest);
    std::cerr << "Usage: scrivlet-cli font export ROM OUT.png [--font main|saturn]\n"
                 "       scrivlet-cli font import ROM IN.png [--widths FILE] [--font main|saturn]\n"
                 "       scrivlet-cli font extend ROM [--font main|saturn]\n";
    return what == "--help" || what == "-h" ? ExitOk : ExitUsage;
}

} // namespace scrivlet::cli
