#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "catalogue/TextSearch.h"
#include "text/CharacterTable.h"
#include "text/Utf8.h"
#include "edit/Messages.h"

#include <iostream>

namespace scrivlet::cli {

int runSearch(const Words& words)
{
    static const CommandSpec spec{"search", "search ROM NEEDLE [--source pointer|raw|expanded] [--after ROW] [--all] [--codes classic|game] [--table FILE|none]",
        "Finds rows whose text with codes contains NEEDLE, ignoring the case of a-z. Prints\n"
        "'row<TAB>label' of the first match (from row 1, or after row ROW), or of every match with\n"
        "--all. Exits 1 with 'String not found.' when nothing matches.",
        {"table", "source", "after", "codes"}, {"all"}, 2};
    CommandStart start;
    if (!start.begin(spec, words, StartsWith::Listing))
        return start.exitCode;
    const TextCatalogue& catalogue = textCatalogue();
    int first = 0;
    if (const std::string* after = start.args.option("after")) {
        const auto row = parseInteger(*after);
        if (!row || *row < 0 || *row > CatalogueCapacity)
            return usageError(spec, "The row " + *after + " is not a row number.");
        first = static_cast<int>(*row); // the index of the row after row number N
    }

    const std::string& typed = start.args.positional[1];
    const CharacterTable& table = currentCharacterTable();
    for (std::size_t i = 0; i < typed.size();) {
        if (const auto entry = table.matchAt(typed, i)) {
            i += entry->length;
            continue;
        }
        const Utf8Char c = utf8CharAt(typed, i);
        if (!c.valid || c.value < 0x20 || c.value > 0x7A)
            return refuse("\"" + describeChar(typed, i) + "\" at character " + std::to_string(utf8Length(typed, i) + 1)
                + " is not one of the game's characters (space to z), so no text holds it.");
        i += c.length;
    }
    const std::string needle = searchNeedle(typed);
    int found = 0;
    for (int row = findMatchingRow(start.rom, catalogue, needle, first); row >= 0;
         row = start.args.has("all") ? findMatchingRow(start.rom, catalogue, needle, row + 1) : -1) {
        std::cout << rowNumber(row) << '\t' << listLabel(start.rom, catalogue.rows[static_cast<std::size_t>(row)]) << '\n';
        ++found;
    }
    return found ? ExitOk : refuse(messages::StringNotFound);
}

} // namespace scrivlet::cli
