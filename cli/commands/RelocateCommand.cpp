#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "edit/TextRelocation.h"

#include <iostream>

namespace scrivlet::cli {

int runRelocate(const Words& words)
{
    static const CommandSpec spec{"relocate", "relocate ROM --row N (--text TEXT | --text-file FILE) [--compress] [--codes classic|game] [--table FILE|none]",
        "Writes the text into free filler blocks of the expanded area and points the row's\n"
        "pointer-table record at it; the old block stays as it was. Prints the new address.\n"
        "--compress writes the text compressed with the image's dictionary.",
        {"table", "row", "text", "text-file", "codes"}, {"compress"}, 1};
    std::string text;
    CommandStart start;
    start.access = RomFile::Access::Update;
    const auto rowAndText = [&](CommandStart& s) {
        if (!s.args.has("row")) {
            start.exitCode = usageError(spec, "Give the --row of the pointer listing.");
            return false;
        }
        return textOption(spec, s.args, text, start.exitCode);
    };
    if (!start.begin(spec, words, StartsWith::Rom, rowAndText))
        return start.exitCode;
    const auto target = resolveTarget(spec, start.args, start.rom, textCatalogue(), start.exitCode);
    if (!target)
        return start.exitCode;
    const RelocationResult result = relocateText(start.rom, textCatalogue().rows[static_cast<std::size_t>(target->row)], text,
        commandLineOptions(false, start.args.has("compress")));
    if (result.outcome != RelocationOutcome::Moved)
        return refuse(relocationMessage(result));
    std::cout << hexAddress(result.newAddress) << "\n";
    return ExitOk;
}

} // namespace scrivlet::cli
