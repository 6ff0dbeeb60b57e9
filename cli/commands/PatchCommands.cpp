#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "rom/Patch.h"
#include "rom/TempFile.h"

#include <iostream>

namespace scrivlet::cli {


int runMakePatch(const Words& words)
{
    static const CommandSpec spec{"make-patch", "make-patch ORIGINAL MODIFIED OUT.ips|OUT.bps",
        "Writes the patch that turns ORIGINAL into MODIFIED, as IPS or BPS by OUT's extension,\n"
        "and prints its size in bytes.",
        {}, {}, 3};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Words))
        return start.exitCode;
    const Arguments& args = start.args;
    const std::string& out = args.positional[2];
    const auto format = patchFormatOf(out);
    if (!format)
        return usageError(spec, "The patch's name must end in .ips or .bps: " + out);
    if (!acceptableOutput(out, {&args.positional[0], &args.positional[1]}, "ORIGINAL and MODIFIED", start.exitCode))
        return start.exitCode;
    std::vector<std::uint8_t> original, modified;
    if (!readInputFile(args.positional[0], "The original image", PatchMaxImageBytes, original, start.exitCode)
        || !readInputFile(args.positional[1], "The modified image", PatchMaxImageBytes, modified, start.exitCode))
        return start.exitCode;
    const auto patch = makePatch(*format, original, modified);
    if (!patch)
        return refuse("An IPS patch cannot describe this change (a file past 16 MiB); make a BPS patch instead.");
    if (!replaceFileWith(out, *patch))
        return refuse("The patch could not be written to " + out + ".");
    std::cout << patch->size() << "\n";
    return ExitOk;
}

int runApplyPatch(const Words& words)
{
    static const CommandSpec spec{"apply-patch", "apply-patch ROM PATCH OUT",
        "Applies an IPS or BPS patch to ROM and writes the result to OUT; ROM itself is never\n"
        "changed. A BPS patch made for another original, or a damaged patch, is refused and no\n"
        "OUT is written.",
        {}, {}, 3};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Words))
        return start.exitCode;
    const Arguments& args = start.args;
    const std::string& rom = args.positional[0];
    const std::string& out = args.positional[2];
    if (sameFile(rom, out))
        return refuse("OUT must be another file than ROM: a patch is never applied in place.");
    if (!acceptableOutput(out, {&args.positional[1]}, "PATCH", start.exitCode))
        return start.exitCode;
    std::vector<std::uint8_t> source, patch;
    if (!readInputFile(rom, "The ROM file", PatchMaxImageBytes, source, start.exitCode)
        || !readInputFile(args.positional[1], "The patch", DataFileMaxBytes, patch, start.exitCode))
        return start.exitCode;
    const PatchResult result = applyPatch(source, patch);
    if (!result.error.empty())
        return refuse(result.error);
    if (!replaceFileWith(out, result.output))
        return refuse("The patched image could not be written to " + out + ".");
    return ExitOk;
}

} // namespace scrivlet::cli
