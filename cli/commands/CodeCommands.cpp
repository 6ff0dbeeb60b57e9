// What codes do and where text leads: explain and refs.
#include "catalogue/TextReferences.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "rom/RomAddress.h"
#include "text/TextEncoder.h"
#include "text/TextItems.h"

#include <iostream>

namespace scrivlet::cli {

int runExplain(const Words& words)
{
    static const CommandSpec spec{"explain", "explain TEXT [--codes classic|game] [--table FILE|none]",
        "Encodes display text and names each control code in it, as the decoder groups the\n"
        "bytes (an end code does not stop the walk): one line per code, fields separated by a\n"
        "tab: byte offset, the code's bytes, its name, what it does. A code the table does not\n"
        "know is named 'unknown'. --codes game groups codes as the game reads them. Exits 1 for\n"
        "a text that cannot be written (as encode).",
        {"table", "codes"}, {}, 1};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Words))
        return start.exitCode;
    const std::string& text = start.args.positional[0];
    std::vector<std::uint8_t> bytes;
    if (!encodeGameText(text, bytes, start.exitCode))
        return start.exitCode;
    for (const TextItem& item : textItems(bytes, start.grouping)) {
        if (item.kind == ByteClass::Character)
            continue;
        const std::span<const std::uint8_t> code(bytes.data() + item.offset, static_cast<std::size_t>(item.length));
        const ControlCodeInfo* row = codeRow(code);
        std::cout << item.offset << '\t' << hexBytes(code) << '\t' << (row ? row->name : "unknown") << '\t'
                  << (row ? row->description : "") << '\n';
    }
    return ExitOk;
}

int runRefs(const Words& words)
{
    static const CommandSpec spec{"refs",
        "refs ROM (--address A | --row N [--source pointer|raw|expanded]) [--codes classic|game] [--table FILE|none]",
        "Lists what points at a block's address: first 'record<TAB>R' for each text pointer\n"
        "table record R whose pointer is the address, then\n"
        "'code<TAB>ROW<TAB>$BLOCK<TAB>+OFFSET<TAB>NAME' for each code in the blocks of the\n"
        "listing (--source, default pointer) that jumps to, calls or lists the address. Prints\n"
        "nothing when nothing points there.",
        {"table", "address", "row", "source", "codes"}, {}, 1};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Rom))
        return start.exitCode;
    TextCatalogue& catalogue = textCatalogue();
    const auto target = resolveTarget(spec, start.args, start.rom, catalogue, start.exitCode);
    if (!target)
        return start.exitCode;
    if (target->row < 0)
        buildListing(start.rom, catalogue, start.source);
    const std::uint32_t address = fileOffsetToSnes(target->fileOffset);
    const TextReferences found = findReferences(start.rom, catalogue, address, start.grouping);
    for (int record : found.records)
        std::cout << "record\t" << record << '\n';
    for (const CodeReference& code : found.codes)
        std::cout << "code\t" << rowNumber(code.row) << '\t' << hexAddress(code.blockAddress) << "\t+" << code.offset << '\t' << code.name
                  << '\n';
    return ExitOk;
}

} // namespace scrivlet::cli
