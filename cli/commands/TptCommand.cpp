#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "catalogue/TptRecord.h"
#include "edit/Messages.h"
#include "edit/TextApply.h"
#include "rom/RomFile.h"

#include <cstdio>
#include <iostream>

namespace scrivlet::cli {

namespace {

void printRecord(RomFile& rom, std::int32_t recordOffset)
{
    rom.seek(recordOffset);
    const TextEntry e = readTptRecord(rom, recordOffset);
    std::cout << hexOffset(recordOffset) << '\t' << hexAddress(static_cast<std::uint32_t>(e.snesAddress)) << '\t'
              << e.spriteNumber << '\t' << e.movementNumber << '\n';
}

// The editor's checks, in its words; a value that fails is a usage error.
std::optional<int> rangedInteger(const CommandSpec& spec, const std::string& text, int low, int high, int& exitCode)
{
    const auto value = parseInteger(text);
    char sentence[128];
    if (!value) {
        exitCode = usageError(spec, messages::EnterInteger);
        return std::nullopt;
    }
    if (*value < low || *value > high) {
        std::snprintf(sentence, sizeof sentence, messages::EnterIntegerBetween, low, high);
        exitCode = usageError(spec, sentence);
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

// At most six hex digits ("$" or "0x" before them allowed), read as strictly
// as every other command reads an address.
std::optional<std::uint32_t> recordAddress(const CommandSpec& spec, const std::string& text, int& exitCode)
{
    const std::size_t prefix = !text.empty() && text[0] == '$' ? 1 : text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? 2 : 0;
    if (text.size() - prefix > TptAddressMaxChars) {
        char sentence[128];
        std::snprintf(sentence, sizeof sentence, messages::EnterNoMoreThan, TptAddressMaxChars);
        exitCode = usageError(spec, sentence);
        return std::nullopt;
    }
    const auto address = parseSnesAddress(text);
    if (!address) {
        exitCode = usageError(spec, "The address " + text + " is not a hexadecimal SNES address of at most six digits.");
        return std::nullopt;
    }
    return address;
}

} // namespace

int runTpt(const Words& words)
{
    static const CommandSpec spec{"tpt", "tpt ROM --row N [--address HEX] [--sprite N] [--movement N]",
        "Prints the text pointer table record of a row of the pointer listing: record offset,\n"
        "address, sprite number, movement number. With options, writes those fields first\n"
        "(sprite 0-463, movement 0-255, address of at most 6 hex digits; a value out of bounds\n"
        "is a usage error) and prints the record as read back.",
        {"row", "address", "sprite", "movement"}, {}, 1};
    std::optional<long long> row;
    CommandStart start;
    const auto rowGiven = [&](CommandStart& s) {
        if (!s.args.has("row")) {
            start.exitCode = usageError(spec, "Give the --row of the pointer listing.");
            return false;
        }
        row = parseInteger(*s.args.option("row"));
        if (!row) {
            start.exitCode = usageError(spec, "The row " + *s.args.option("row") + " is not a number.");
            return false;
        }
        if (s.args.has("address") || s.args.has("sprite") || s.args.has("movement"))
            s.access = RomFile::Access::Update;
        return true;
    };
    if (!start.begin(spec, words, StartsWith::Rom, rowGiven))
        return start.exitCode;
    const Arguments& args = start.args;
    RomFile& rom = start.rom;
    const bool writes = start.access == RomFile::Access::Update;
    TextCatalogue& catalogue = textCatalogue();
    fillCatalogue(catalogue, rom, ListingSource::PointerTable);
    if (!isCatalogueRow(*row, catalogue))
        return refuse("The pointer listing has no row " + *args.option("row") + "; its rows are 1 to "
            + std::to_string(catalogue.count) + ".");
    TextEntry entry = catalogue.rows[static_cast<std::size_t>(*row - 1)];

    if (writes) {
        // Checked in the editor's order: address, sprite, movement.
        if (const std::string* address = args.option("address")) {
            const auto value = recordAddress(spec, *address, start.exitCode);
            if (!value)
                return start.exitCode;
            entry.snesAddress = static_cast<std::int32_t>(*value);
        }
        if (const std::string* sprite = args.option("sprite")) {
            const auto value = rangedInteger(spec, *sprite, 0, TptSpriteMax, start.exitCode);
            if (!value)
                return start.exitCode;
            entry.spriteNumber = *value;
        }
        if (const std::string* movement = args.option("movement")) {
            const auto value = rangedInteger(spec, *movement, 0, TptMovementMax, start.exitCode);
            if (!value)
                return start.exitCode;
            entry.movementNumber = *value;
        }
        const WriteStatus status = writeTptRecord(rom, entry.tptRecordOffset,
            static_cast<std::uint32_t>(entry.snesAddress), entry.spriteNumber, entry.movementNumber);
        if (status != WriteStatus::Written)
            return refuse(std::string(messages::TptRecordNotWritten) + "  " + writeStatusMessage(status));
    }
    printRecord(rom, entry.tptRecordOffset);
    return ExitOk;
}

} // namespace scrivlet::cli
