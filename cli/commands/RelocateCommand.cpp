#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "edit/TextRelocation.h"

#include <iostream>

namespace scrivlet::cli {

int runRelocate(const Words& words)
{
    static const CommandSpec spec{"relocate", "relocate ROM --row N (--text TEXT | --text-file FILE) [--compress]",
        "Writes the text into free filler blocks of the expanded area and points the row's\n"
        "pointer-table record at it; the old block stays as it was. Prints the new address.\n"
        "--compress writes the text compressed with the image's dictionary.",
        {"row", "text", "text-file"}, {"compress"}, 1};
    int exitCode = ExitOk;
    const auto args = parseArguments(spec, words, exitCode);
    if (!args)
        return exitCode;
    if (!args->has("row"))
        return usageError(spec, "Give the --row of the pointer listing.");
    std::string text;
    if (!textOption(spec, *args, text, exitCode))
        return exitCode;
    RomFile rom;
    if (!openAcceptedRom(args->positional[0], RomFile::Access::Update, rom, exitCode))
        return exitCode;
    const auto target = resolveTarget(spec, *args, rom, textCatalogue(), exitCode);
    if (!target)
        return exitCode;
    const RelocationResult result = relocateText(rom, textCatalogue().rows[static_cast<std::size_t>(target->row)], text, args->has("compress"));
    if (result.outcome != RelocationOutcome::Moved)
        return refuse(relocationMessage(result));
    std::cout << hexAddress(result.newAddress) << "\n";
    return ExitOk;
}

} // namespace scrivlet::cli
