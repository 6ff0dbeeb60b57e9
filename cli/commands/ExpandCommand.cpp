#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "edit/Messages.h"
#include "edit/TextApply.h"
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
    CommandStart start;
    start.access = RomFile::Access::Update;
    if (!start.begin(spec, words, StartsWith::Rom))
        return start.exitCode;
    RomFile& rom = start.rom;
    const PadResult result = padRomFile(rom, ExpandedRomSize);
    if (result.status != WriteStatus::Written)
        return refuse(writeStatusMessage(result.status));
    std::cout << romFileSize(rom) << "\n";
    if (!result.wroteFiller)
        std::cerr << "The ROM is already 0x4001FF bytes or larger; nothing was written.\n";
    return ExitOk;
}

} // namespace scrivlet::cli
