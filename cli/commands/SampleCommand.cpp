#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/SampleImage.h"
#include "rom/TempFile.h"

#include <iostream>

namespace scrivlet::cli {

int runSample(const Words& words)
{
    static const CommandSpec spec{"sample", "sample OUT [--expanded]",
        "Writes a demo image with invented dialogue (0x300200 bytes, or 0x400200 with\n"
        "--expanded) that the editor opens. The same bytes on every run.",
        {}, {"expanded"}, 1};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Words))
        return start.exitCode;
    const Arguments& args = start.args;
    const auto image = buildSampleImage(args.has("expanded"));
    const std::string& path = args.positional[0];
    if (!acceptableOutput(path, {}, "", start.exitCode))
        return start.exitCode;
    if (!replaceFileWith(path, image)) // whole or not at all
        return refuse("The sample image " + path + " could not be written.");
    std::cout << path << "\n" << image.size() << "\n";
    return ExitOk;
}

} // namespace scrivlet::cli
