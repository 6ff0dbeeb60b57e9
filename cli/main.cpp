#include "CliSupport.h"
#include "Commands.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <new>
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
    {"explain", "name each control code of display text", runExplain},
    {"sample", "write a demo image to open in the editor", runSample},
    {"import", "write the edited lines of a dump file back, all or nothing", runImport},
    {"relocate", "move a row's text into free room of the expanded area", runRelocate},
    {"refs", "list the records and codes that point at a block", runRefs},
    {"fit", "list the lines too wide for the game's dialogue window", runFit},
    {"preview", "draw a block as the game's window shows it, to a PNG file", runPreview},
    {"font", "export a font as a picture, import it back, or make room for 32 more letters", runFont},
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

int run(const Words& all);

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

// The words of the command line as UTF-8, whatever the system's code page.
Words commandLine(int argc, char** argv)
{
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    Words words;
    for (int i = 0; i < count; ++i) {
        const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string word(static_cast<std::size_t>(std::max(n, 1) - 1), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, word.data(), n, nullptr, nullptr);
        words.push_back(word);
    }
    ::LocalFree(wide);
    // Display text goes out byte for byte: no CR added before a line feed.
    _setmode(_fileno(stdout), _O_BINARY);
    return words;
#else
    return Words(argv, argv + argc);
#endif
}

} // namespace

int main(int argc, char** argv)
{
#ifdef SIGXFSZ
    // Past a file-size limit a write is to fail and be reported, not to end the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const Words words = commandLine(argc, argv);
    return run(words);
}

namespace {
int run(const Words& all)
{
    const int argc = static_cast<int>(all.size());
    if (argc < 2) {
        printOverview();
        return ExitUsage;
    }
    const std::string_view name = all[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printOverview();
        return ExitOk;
    }
    for (const Command& c : Table)
        if (name == c.name) {
            try {
                return finish(c.run(Words(all.begin() + 2, all.end())));
            } catch (const std::bad_alloc&) {
                // Every write lands whole or not at all, so one cut short by this wrote nothing.
                std::cerr << "There was not enough memory to finish the command, so nothing was written.\n";
                return ExitRefused;
            }
        }
    std::cerr << "Unknown command " << name << ".\n";
    printOverview();
    return ExitUsage;
}
} // namespace
