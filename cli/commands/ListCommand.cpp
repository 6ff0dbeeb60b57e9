#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "rom/RomAddress.h"
#include "text/TextDecoder.h"

#include <charconv>
#include <iostream>
#include <vector>

namespace scrivlet::cli {

namespace {
constexpr const char* PastTheEndNote = "(points past the end of the ROM file)";

// Thousands of lines: formatted by hand, not through streams or printf.
void appendDecimal(std::string& out, long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendHex(std::string& out, std::uint64_t value, int minDigits)
{
    char digits[16];
    int n = 0;
    do {
        digits[n++] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    } while (value != 0 || n < minDigits);
    while (n > 0)
        out.push_back(digits[--n]);
}

// "0x51D12", or "-0x100" for an offset before the file.
void appendOffset(std::string& out, std::int64_t offset)
{
    if (offset < 0)
        out.push_back('-');
    out += "0x";
    appendHex(out, static_cast<std::uint64_t>(offset < 0 ? -offset : offset), 1);
}
} // namespace

int runList(const Words& words)
{
    static const CommandSpec spec{"list", "list ROM [--source pointer|raw|expanded] [--codes classic|game] [--table FILE|none]",
        "Prints one line per row of the listing, fields separated by a tab: row (from 1, the\n"
        "editor's Line; every --row counts so), SNES address,\n"
        "file offset, block size, pointer-table record offset (or -), sprite number,\n"
        "movement number, list label (a record aimed past the end of the file has size 0 and\n"
        "a note for a label).",
        {"table", "source", "codes"}, {}, 1};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Listing))
        return start.exitCode;
    const TextCatalogue& catalogue = textCatalogue();
    std::string out;
    std::string label;
    struct SizeSlot {
        std::int32_t offset = -1;
        int size = 0;
    };
    std::vector<SizeSlot> sizes(4096);
    for (int row = 0; row < catalogue.count; ++row) {
        const TextEntry& e = catalogue.rows[static_cast<std::size_t>(row)];
        const std::int32_t offset = snesToFileOffset(static_cast<std::uint32_t>(e.snesAddress));
        decodePlainStart(start.rom, offset, ListLabelMaxChars, label);
        appendDecimal(out, rowNumber(row));
        out += "\t$";
        appendHex(out, static_cast<std::uint32_t>(e.snesAddress) & 0xFFFFFFu, 6);
        out.push_back('\t');
        appendOffset(out, offset);
        out.push_back('\t');
        // Rows that share a block share its size: measured once (a small
        // direct-mapped table; a collision only measures again).
        SizeSlot& slot = sizes[static_cast<std::uint32_t>(offset) * 2654435761u >> 20];
        const bool outside = offset < 0 || offset >= start.rom.size(); // a record aimed past the end: no block
        if (slot.offset != offset)
            slot = {offset, outside ? 0 : decodeSize(start.rom, offset)};
        appendDecimal(out, slot.size);
        out.push_back('\t');
        if (e.tptRecordOffset)
            appendOffset(out, e.tptRecordOffset);
        else
            out.push_back('-');
        out.push_back('\t');
        appendDecimal(out, e.spriteNumber);
        out.push_back('\t');
        appendDecimal(out, e.movementNumber);
        out.push_back('\t');
        out += outside ? PastTheEndNote : label;
        out.push_back('\n');
    }
    std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    return ExitOk;
}

} // namespace scrivlet::cli
