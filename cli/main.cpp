#include "CliSupport.h"
#include "Commands.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string_view>

using namespace scrivlet::cli;

namespace {

constexpr Command Table[] = {
    {"identify", "print the ROM type and the file size", runIdentify},
    {"list", "list the text blocks of a listing", runList},
    {"show", "print one block's display text", runShow},
    {"dump", "write every block of a listing to a text file", runDump},
    {"search", "find blocks whose text contains a string", runSearch},
    {"write", "write new text into a block, as Apply Changes does", runWrite},
    {"expand", "expand the ROM to 4 MiB with empty text blocks", runExpand},
    {"tpt", "show or edit a text pointer table record", runTpt},
    {"encode", "print the game bytes of display text", runEncode},
    {"sample", "write a demo image to open in the editor", runSample},
    {"import", "write the edited lines of a dump file back, all or nothing", runImport},
    {"relocate", "move a row's text into free room of the expanded area", runRelocate},
    {"make-patch", "write an IPS or BPS patch from an original and a modified image", runMakePatch},
    {"apply-patch", "apply an IPS or BPS patch, writing the result to a new file", runApplyPatch},
};

void printOverview()
{
    std::cout << "Usage: scrivlet-cli COMMAND ARGS...\n\n"
                 "Reads and edits the dialogue text of an EarthBound ROM image.\n\nCommands:\n";
    for (const Command& c : Table)
        std::cout << "  " << c.name << std::string(13 - std::string_view(c.name).size(), ' ') << c.summary << "\n";
    std::cout << "\nRun 'scrivlet-cli COMMAND --help' for a command's arguments.\n";
}

// A command's output that did not all reach its destination (a full disk, a
// closed pipe) is a failure, whatever the command itself made of its work.
int finish(int exitCode)
{
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "The output could not be written.\n";
        return exitCode == ExitOk ? ExitRefused : exitCode;
    }
    return exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    // Past a file-size limit a write is to fail and be reported, not to end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2) {
        printOverview();
        return ExitUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printOverview();
        return ExitOk;
    }
    for (const Command& c : Table)
        if (name == c.name)
            return finish(c.run(Words(argv + 2, argv + argc)));
    std::cerr << "Unknown command " << name << ".\n";
    printOverview();
    return ExitUsage;
}
