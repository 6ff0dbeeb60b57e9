#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "edit/Messages.h"
#include "rom/RomIdentity.h"

#include <iostream>

namespace scrivlet::cli {

int runIdentify(const Words& words)
{
    static const CommandSpec spec{"identify", "identify ROM",
        "Prints the ROM type as the editor names it, then the file size in bytes.\n"
        "Exits 0 for a type the editor opens, 1 otherwise.",
        {}, {}, 1};
    CommandStart start; // any file is identified: the image is opened here, not refused
    if (!start.begin(spec, words, StartsWith::Words))
        return start.exitCode;
    const Arguments& args = start.args;
    RomFile rom;
    if (!rom.open(args.positional[0], RomFile::Access::ReadOnly))
        return refuse(rom.openError() == OpenError::NotRegularFile
                ? std::string(messages::NotRegularFile)
                : "The ROM file " + args.positional[0] + " cannot be opened.");
    const RomType type = identifyRom(rom);
    std::cout << romTypeDisplayName(type) << "\n" << romFileSize(rom) << "\n";
    return isAcceptedRomType(type) ? ExitOk : ExitRefused;
}

} // namespace scrivlet::cli
