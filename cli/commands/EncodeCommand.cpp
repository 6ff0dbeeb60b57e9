#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "edit/Messages.h"
#include "text/CompressionDictionary.h"
#include "text/TextCompressor.h"
#include "text/TextEncoder.h"

#include <cstdio>
#include <iostream>

namespace scrivlet::cli {

int runEncode(const Words& words)
{
    static const CommandSpec spec{"encode", "encode TEXT [--compress ROM] [--table FILE|none]",
        "Prints the byte count of display text, then its game bytes in hexadecimal.\n"
        "--compress ROM gives the shortest bytes with the dictionary of ROM instead.\n"
        "Exits 1 for a text that cannot be written: a bracket error, a group that is not\n"
        "two-digit hex bytes, a character outside space to z.",
        {"table", "compress"}, {}, 1};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Words))
        return start.exitCode;
    const Arguments& args = start.args;
    const std::string& text = args.positional[0];
    std::vector<std::uint8_t> bytes;
    if (!encodeGameText(text, bytes, start.exitCode))
        return start.exitCode;
    if (const std::string* romPath = args.option("compress")) {
        RomFile rom;
        if (!openAcceptedRom(*romPath, RomFile::Access::ReadOnly, rom, start.exitCode))
            return start.exitCode;
        loadDictionary(rom);
        bytes = encodeCompressed(text);
    }
    std::string hex;
    char digits[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, hex.empty() ? "%02X" : " %02X", b);
        hex += digits;
    }
    std::cout << bytes.size() << "\n" << hex << "\n";
    return ExitOk;
}

} // namespace scrivlet::cli
