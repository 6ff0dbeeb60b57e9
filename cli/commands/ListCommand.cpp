#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "rom/RomAddress.h"
#include "text/TextDecoder.h"

#include <iostream>

namespace scrivlet::cli {

int runList(const Words& words)
{
    static const CommandSpec spec{"list", "list ROM [--source pointer|raw|expanded]",
        "Prints one line per row of the listing, fields separated by a tab: row, SNES address,\n"
        "file offset, block size, pointer-table record offset (or -), sprite number,\n"
        "movement number, list label.",
        {"source"}, {}, 1};
    int exitCode = ExitOk;
    std::optional<Arguments> args;
    ListingSource source;
    RomFile rom;
    if (!openListing(spec, words, rom, args, source, exitCode))
        return exitCode;
    const TextCatalogue& catalogue = textCatalogue();
    std::string out;
    std::string label;
    for (int row = 0; row < catalogue.count; ++row) {
        const TextEntry& e = catalogue.rows[static_cast<std::size_t>(row)];
        const std::int32_t offset = snesToFileOffset(static_cast<std::uint32_t>(e.snesAddress));
        decodePlainStart(rom, offset, ListLabelMaxChars, label);
        out += std::to_string(row) + '\t' + hexAddress(static_cast<std::uint32_t>(e.snesAddress)) + '\t'
            + hexOffset(offset) + '\t' + std::to_string(decodeSize(rom, offset)) + '\t'
            + (e.tptRecordOffset ? hexOffset(e.tptRecordOffset) : "-") + '\t' + std::to_string(e.spriteNumber)
            + '\t' + std::to_string(e.movementNumber) + '\t' + label + '\n';
    }
    std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    return ExitOk;
}

} // namespace scrivlet::cli
