#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "edit/Messages.h"
#include "rom/RomExpansion.h"
#include "rom/RomIdentity.h"

#include <iostream>

namespace scrivlet::cli {

int runExpand(const Words& words)
{
    static const CommandSpec spec{"expand", "expand ROM",
        "Appends empty text blocks until the file reaches 0x4001FF bytes (SNES $FFFFFF),\n"
        "then prints the new size. A file already that large is left as it is.",
        {}, {}, 1};
    int exitCode = ExitOk;
    const auto args = parseArguments(spec, words, exitCode);
    if (!args)
        return exitCode;
    const std::string& path = args->positional[0];
    RomFile rom;
    if (!openAcceptedRom(path, RomFile::Access::Update, rom, exitCode))
        return exitCode;
    switch (padRomFile(rom, path, ExpandedRomSize)) {
    case PadResult::AlreadyLargeEnough:
        std::cout << romFileSize(rom) << "\n";
        std::cerr << "The ROM is already 0x4001FF bytes or larger; nothing was written.\n";
        return ExitOk;
    case PadResult::Padded:
        std::cout << romFileSize(rom) << "\n";
        return ExitOk;
    case PadResult::AppendFailed:
        return refuse(messages::ExpansionNotWritten);
    case PadResult::ReopenFailed:
        return refuse(messages::ExpansionReopenFailed);
    }
    return ExitRefused;
}

} // namespace scrivlet::cli
