#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "edit/TextImport.h"

#include <iostream>

namespace scrivlet::cli {

int runImport(const Words& words)
{
    static const CommandSpec spec{"import", "import ROM FILE [--source pointer|raw|expanded] [--allow-overwrite] [--dry-run] [--compress] [--codes classic|game] [--table FILE|none]",
        "Takes back a dump file: one line per row of the listing, display text with codes, LF or\n"
        "CR LF line ends. Only rows whose line differs from the row's text are written, each with\n"
        "the checks of Apply Changes (a text longer than its block is refused unless\n"
        "--allow-overwrite). All or nothing: if any row is refused, nothing is written and each\n"
        "refusal is listed as 'line N: ...'. --dry-run checks and reports without writing.\n"
        "--compress writes each text compressed with the image's dictionary.",
        {"table", "source", "codes"}, {"allow-overwrite", "dry-run", "compress"}, 2};
    std::vector<std::uint8_t> file;
    CommandStart start;
    const auto readDump = [&](CommandStart& s) {
        s.access = s.args.has("dry-run") ? RomFile::Access::ReadOnly : RomFile::Access::Update;
        return readInputFile(s.args.positional[1], "The dump file", DataFileMaxBytes, file, start.exitCode);
    };
    if (!start.begin(spec, words, StartsWith::Listing, readDump))
        return start.exitCode;
    const Arguments& args = start.args;
    const bool dryRun = args.has("dry-run");
    const ImportResult result = importText(start.rom, textCatalogue(),
        std::string_view(reinterpret_cast<const char*>(file.data()), file.size()),
        commandLineOptions(!args.has("allow-overwrite"), args.has("compress")), dryRun);
    if (!result.written()) {
        std::cerr << importRefusals(result);
        return ExitRefused;
    }
    std::cout << importSummary(result, dryRun) << "\n";
    return ExitOk;
}

} // namespace scrivlet::cli
