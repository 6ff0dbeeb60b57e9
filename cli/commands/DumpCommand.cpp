#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "catalogue/TextDump.h"
#include "edit/Messages.h"

#include <cstdio>
#include <iostream>

namespace scrivlet::cli {

int runDump(const Words& words)
{
    static const CommandSpec spec{"dump", "dump ROM [--source pointer|raw|expanded] [--output FILE|-] [--codes classic|game] [--table FILE|none]",
        "Writes the text of every row, with codes, one row per line. The file is named by the\n"
        "source (ptrlist.txt, rawlist.txt, explist.txt) in the current folder unless --output\n"
        "names another; --output - writes to standard output.",
        {"table", "source", "output", "codes"}, {}, 1};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Listing))
        return start.exitCode;
    const TextCatalogue& catalogue = textCatalogue();

    const std::string output = start.args.option("output") ? *start.args.option("output") : dumpFileName(start.source);
    if (output == "-")
        return writeDump(start.rom, catalogue, stdout) && std::fflush(stdout) == 0 ? ExitOk : refuse("The dump could not be written.");
    if (!acceptableOutput(output, {&start.args.positional[0]}, "ROM", start.exitCode))
        return start.exitCode;
    if (!writeDumpFile(start.rom, catalogue, output)) {
        char sentence[512];
        std::snprintf(sentence, sizeof sentence, messages::DumpFailed, output.c_str());
        return refuse(sentence);
    }
    char sentence[512];
    std::snprintf(sentence, sizeof sentence, messages::TextDumped, output.c_str());
    std::cout << sentence << "\n";
    return ExitOk;
}

} // namespace scrivlet::cli
