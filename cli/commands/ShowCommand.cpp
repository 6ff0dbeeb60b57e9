#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "text/TextDecoder.h"

#include <iostream>

namespace scrivlet::cli {

void printBlock(RomFile& rom, std::int32_t fileOffset, const std::string& mode)
{
    const DecodedText decoded = decodeText(rom, fileOffset, mode != "plain");
    const std::string text = mode == "hex" ? renderCodesOnly(rom, fileOffset, decoded.size) : decoded.text;
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout << "\n";
    std::cout.flush();
    std::cerr << "Size: " << decoded.size << "\n";
}

int runShow(const Words& words)
{
    static const CommandSpec spec{"show",
        "show ROM (--address A | --row N [--source pointer|raw|expanded]) [--mode codes|plain|hex] [--codes classic|game] [--table FILE|none]",
        "Prints a block's display text: codes (default) shows control codes as bracket groups,\n"
        "plain shows the text alone, hex shows every byte in one group. The block size goes\n"
        "to standard error as 'Size: N'.",
        {"table", "address", "row", "source", "mode", "codes"}, {}, 1};
    std::string mode = "codes";
    CommandStart start;
    const auto modeGiven = [&](CommandStart& s) {
        if (const std::string* given = s.args.option("mode"))
            mode = *given;
        if (mode == "codes" || mode == "plain" || mode == "hex")
            return true;
        start.exitCode = usageError(spec, "The mode must be codes, plain or hex, not " + mode + ".");
        return false;
    };
    if (!start.begin(spec, words, StartsWith::Rom, modeGiven))
        return start.exitCode;
    const auto target = resolveTarget(spec, start.args, start.rom, textCatalogue(), start.exitCode);
    if (!target)
        return start.exitCode;
    printBlock(start.rom, target->fileOffset, mode);
    return ExitOk;
}

} // namespace scrivlet::cli
