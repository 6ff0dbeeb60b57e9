#include "TextImport.h"

#include "Messages.h"
#include "TextApply.h"
#include "catalogue/TextCatalogue.h"
#include "rom/RomAddress.h"
#include "text/TextDecoder.h"
#include "text/TextEncoder.h"

#include <map>

namespace scrivlet {

std::vector<std::string_view> dumpLines(std::string_view file)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < file.size()) {
        std::size_t end = file.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = file.size();
        std::string_view line = file.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

ImportResult importText(RomFile& rom, const TextCatalogue& catalogue, std::string_view file, bool preventOverwrites,
    bool dryRun)
{
    ImportResult result;
    const std::vector<std::string_view> lines = dumpLines(file);
    if (static_cast<int>(lines.size()) != catalogue.count) {
        result.refusals.push_back({-1, "The file has " + std::to_string(lines.size()) + " lines but the listing has "
                + std::to_string(catalogue.count) + " rows, so nothing was written."});
        return result;
    }
    // Every changed row is checked first; blocks shared by rows are written once.
    struct Edit {
        int row;
        std::string_view text;
    };
    std::map<std::int32_t, Edit> edits;
    std::vector<ByteRun> runs;
    DecodedText now;
    for (int row = 0; row < catalogue.count; ++row) {
        const auto address = static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress);
        const std::int32_t offset = snesToFileOffset(address);
        const std::string_view line = lines[static_cast<std::size_t>(row)];
        decodeTextInto(rom, offset, true, now);
        if (line == now.text) {
            ++result.rowsUnchanged;
            continue;
        }
        if (const auto same = edits.find(offset); same != edits.end()) {
            if (same->second.text == line) {
                ++result.rowsWritten; // the same edit to a shared block: written once
                continue;
            }
            result.refusals.push_back({row, messages::ImportSharedBlock + std::to_string(same->second.row) + "."});
            continue;
        }
        edits[offset] = {row, line};
        if (const ApplyResult check = checkApply(rom, offset, line, preventOverwrites); check.outcome != ApplyOutcome::Written) {
            result.refusals.push_back({row, applyMessage(check)});
            continue;
        }
        runs.push_back({offset, encodeText(line)});
        ++result.rowsWritten;
    }
    if (result.refusals.empty() && !dryRun && !runs.empty())
        result.write = rom.write(runs);
    return result;
}

std::string importSummary(const ImportResult& result, bool dryRun)
{
    return std::to_string(result.rowsWritten) + (dryRun ? " rows would be written, " : " rows written, ")
        + std::to_string(result.rowsUnchanged) + " rows unchanged" + (dryRun ? "; nothing was written." : ".");
}

std::string importRefusals(const ImportResult& result)
{
    std::string text;
    for (const ImportRefusal& r : result.refusals) {
        std::string sentence = r.sentence;
        for (char& c : sentence)
            if (c == '\n')
                c = ' ';
        text += (r.row >= 0 ? "row " + std::to_string(r.row) + ": " : std::string()) + sentence + "\n";
    }
    if (result.refusals.empty() && result.write != WriteStatus::Written)
        text = std::string(writeStatusMessage(result.write)) + "\n";
    return text;
}

} // namespace scrivlet
