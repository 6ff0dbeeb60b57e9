#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "edit/TextApply.h"


namespace scrivlet::cli {

int runWrite(const Words& words)
{
    static const CommandSpec spec{"write",
        "write ROM (--address A | --row N [--source S]) (--text TEXT | --text-file FILE) [--allow-overwrite] [--compress] [--codes classic|game] [--table FILE|none]",
        "Writes display text into a block in place, as the editor's Apply Changes does: a text\n"
        "with a bracket error is refused, and so is one longer than the stored block unless\n"
        "--allow-overwrite is given. --compress writes the text compressed with the image's\n"
        "dictionary (the overwrite check then measures the compressed bytes). Prints the block\n"
        "as read back.",
        {"table", "address", "row", "source", "text", "text-file", "codes"}, {"allow-overwrite", "compress"}, 1};
    std::string text;
    CommandStart start;
    start.access = RomFile::Access::Update;
    if (!start.begin(spec, words, StartsWith::Rom, [&](CommandStart& s) { return textOption(spec, s.args, text, start.exitCode); }))
        return start.exitCode;
    RomFile& rom = start.rom;
    const auto target = resolveTarget(spec, start.args, rom, textCatalogue(), start.exitCode, true);
    if (!target)
        return start.exitCode;
    const ApplyResult result = applyText(rom, target->fileOffset, text, commandLineOptions(!start.args.has("allow-overwrite"), start.args.has("compress")));
    if (result.outcome != ApplyOutcome::Written)
        return refuse(applyMessage(result, Audience::CommandLine));
    printBlock(rom, target->fileOffset, "codes");
    return ExitOk;
}

} // namespace scrivlet::cli
