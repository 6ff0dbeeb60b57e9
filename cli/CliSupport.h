#pragma once

#include "catalogue/TextCatalogue.h"
#include "rom/RomFile.h"
#include "text/ControlCodes.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace scrivlet::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitRefused = 1;
inline constexpr int ExitUsage = 2;

// A command's words after its name: positionals, "--name value" options and flags.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
    std::set<std::string> flags;

    bool has(const std::string& name) const { return options.count(name) || flags.count(name); }
    const std::string* option(const std::string& name) const
    {
        auto it = options.find(name);
        return it == options.end() ? nullptr : &it->second;
    }
};

struct CommandSpec {
    const char* name;
    const char* usage; // one line, after "scrivlet-cli "
    const char* help;  // what it does
    std::set<std::string> valued;
    std::set<std::string> flags;
    std::size_t positionals; // how many positionals it takes
};

// Parses `words` by the command's description; on a usage error prints it and returns nullopt.
std::optional<Arguments> parseArguments(const CommandSpec& spec, const std::vector<std::string>& words, int& exitCode);

void printUsage(const CommandSpec& spec);
int usageError(const CommandSpec& spec, const std::string& sentence);
// One sentence on standard error; a line break in the window's words becomes a blank.
int refuse(const std::string& sentence);

// OUT is a new file written whole: never one of the inputs (each named by
// `role` in the refusal), never a device. False (exitCode set) when refused.
bool acceptableOutput(const std::string& out, const std::vector<const std::string*>& inputs, const char* role, int& exitCode);

// "$C51B12", "0xC51B12" or "C51B12".
std::optional<std::uint32_t> parseSnesAddress(const std::string& text);
std::optional<long long> parseInteger(const std::string& text);
// Rows are numbered from 1 wherever a person reads them, as the window's Line
// is: row number n is catalogue index n - 1.
inline long long rowNumber(int index) { return static_cast<long long>(index) + 1; }
// Whether a row number given on the command line is a row of the catalogue,
// checked before it is narrowed to int so that no large value wraps onto a row.
bool isCatalogueRow(long long rowNumber, const TextCatalogue& catalogue);
std::optional<ListingSource> sourceOption(const Arguments& args, int& exitCode, const CommandSpec& spec);

// Opens the image and refuses one the editor would refuse, with its words.
bool openAcceptedRom(const std::string& path, RomFile::Access access, RomFile& rom, int& exitCode);

// Reads a file given on the command line, `what` naming it in the refusal
// ("The text file"). Anything but a regular file of at most `maxBytes` is
// refused with a sentence on standard error.
bool readInputFile(const std::string& path, const char* what, std::uintmax_t maxBytes, std::vector<std::uint8_t>& bytes,
    int& exitCode);
// A text given in a file: at most TextFileMaxBytes, no text is longer.
inline constexpr std::uintmax_t TextFileMaxBytes = 1024 * 1024;
bool readTextFile(const std::string& path, std::string& text, int& exitCode);

// The text of a command that writes one: --text TEXT or --text-file FILE, one
// of the two. False (with exitCode set) when neither, both, or an unreadable file.
bool textOption(const CommandSpec& spec, const Arguments& args, std::string& text, int& exitCode);

// Encodes display text by the command-line rules (characters outside space
// to z refused, groups two-digit hex bytes); false, with the refusal said,
// when it cannot be encoded.
bool encodeGameText(const std::string& text, std::vector<std::uint8_t>& bytes, int& exitCode);

// The character table a command reads and writes text through: --table FILE,
// none with --table none, else the table beside `romPath` when there is one.
// False (exitCode set) when the table named or found cannot be used.
bool chooseCharacterTable(const Arguments& args, const std::string* romPath, int& exitCode);

// Loads the dictionary and fills the catalogue, as a listing build does.
void buildListing(RomFile& rom, TextCatalogue& catalogue, ListingSource source);

// How far a command's start goes: its words only, the image too (the first
// positional, refused as the editor refuses it), or the listing of --source too.
enum class StartsWith { Words, Rom, Listing };

// The start every command makes, and what the command has once it has
// started: its words, its image, the listing it works on, its exit code.
struct CommandStart {
    Arguments args;
    RomFile rom;
    ListingSource source = ListingSource::PointerTable;
    CodeGrouping grouping = CodeGrouping::Classic; // --codes, where the command takes it
    // How the image is opened; a check may change it (a dry run reads only).
    RomFile::Access access = RomFile::Access::ReadOnly;
    int exitCode = ExitOk;

    // In one order: the words parsed by the command's table, `checkFirst` (the
    // options to check before any file is touched), the image opened, the
    // listing built. False (with exitCode set) when the command ends there.
    bool begin(const CommandSpec& spec, const std::vector<std::string>& words, StartsWith reach,
        const std::function<bool(CommandStart&)>& checkFirst = {});
};

// The block a command acts on: --address, or --row of a listing (--source).
struct Target {
    std::int32_t fileOffset = 0;
    int row = -1;
};
// An address outside the file is refused with a sentence, unless
// `outsideIsTheWritesToRefuse` (write says itself why nothing was written).
std::optional<Target> resolveTarget(const CommandSpec& spec, const Arguments& args, RomFile& rom,
    TextCatalogue& catalogue, int& exitCode, bool outsideIsTheWritesToRefuse = false);

// Prints a block as `show` does: the text in `mode` (codes, plain or hex) on
// standard output and "Size: N" on standard error.
void printBlock(RomFile& rom, std::int32_t fileOffset, const std::string& mode);

std::string hexAddress(std::uint32_t snesAddress); // "$C51B12"
std::string hexOffset(std::int64_t offset);        // "0x51D12"

} // namespace scrivlet::cli
