#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/SampleFont.h"
#include "cli/SampleImage.h"
#include "rom/TempFile.h"
#include "text/CharacterTable.h"

#include <cstring>
#include <iostream>

namespace scrivlet::cli {

int runSample(const Words& words)
{
    static const CommandSpec spec{"sample", "sample OUT [--unexpanded]",
        "Writes a demo image with invented dialogue that the editor opens, and its character\n"
        "table beside it (OUT's name with .tbl). The image is expanded (0x400200 bytes), its\n"
        "main font moved there with room for 128 letters, a dozen accented letters drawn from\n"
        "byte B0 on and mapped by the table; with --unexpanded it is 0x300200 bytes and the\n"
        "font stays where the game keeps it, 96 glyphs. The same bytes on every run.\n"
        "(--expanded, the old way to ask for the expanded image, is still taken.)",
        {}, {"expanded", "unexpanded"}, 1};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Words))
        return start.exitCode;
    const Arguments& args = start.args;
    if (args.has("expanded") && args.has("unexpanded"))
        return usageError(spec, "Give --expanded or --unexpanded, not both.");
    const auto image = buildSampleImage(!args.has("unexpanded"));
    const std::string& path = args.positional[0];
    const std::string table = tablePathBeside(path);
    if (!acceptableOutput(path, {}, "", start.exitCode) || !acceptableOutput(table, {&path}, "the image", start.exitCode))
        return start.exitCode;
    if (!replaceFileWith(path, image)) // whole or not at all
        return refuse("The sample image " + path + " could not be written.");
    const char* tableText = sampleCharacterTable();
    if (!replaceFileWith(table, std::span(reinterpret_cast<const std::uint8_t*>(tableText), std::strlen(tableText))))
        return refuse("The sample's character table " + table + " could not be written.");
    std::cout << path << "\n" << image.size() << "\n";
    return ExitOk;
}

} // namespace scrivlet::cli
