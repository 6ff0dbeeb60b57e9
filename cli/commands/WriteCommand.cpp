#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "edit/TextApply.h"


namespace scrivlet::cli {

int runWrite(const Words& words)
{
    static const CommandSpec spec{"write",
        "write ROM (--address A | --row N [--source S]) (--text TEXT | --text-file FILE) [--allow-overwrite] [--compress]",
        "Writes display text into a block in place, as the editor's Apply Changes does: a text\n"
        "with a bracket error is refused, and so is one longer than the stored block unless\n"
        "--allow-overwrite is given. --compress writes the text compressed with the image's\n"
        "dictionary (the overwrite check then measures the compressed bytes). Prints the block\n"
        "as read back.",
        {"address", "row", "source", "text", "text-file"}, {"allow-overwrite", "compress"}, 1};
    int exitCode = ExitOk;
    const auto args = parseArguments(spec, words, exitCode);
    if (!args)
        return exitCode;
    std::string text;
    if (!textOption(spec, *args, text, exitCode))
        return exitCode;
    RomFile rom;
    if (!openAcceptedRom(args->positional[0], RomFile::Access::Update, rom, exitCode))
        return exitCode;
    const auto target = resolveTarget(spec, *args, rom, textCatalogue(), exitCode);
    if (!target)
        return exitCode;
    const ApplyResult result = applyText(rom, target->fileOffset, text, !args->has("allow-overwrite"), args->has("compress"));
    if (result.outcome != ApplyOutcome::Written)
        return refuse(applyMessage(result));
    printBlock(rom, target->fileOffset, "codes");
    return ExitOk;
}

} // namespace scrivlet::cli
