#include "TextImport.h"

#include "Messages.h"
#include "TextApply.h"
#include "catalogue/TextCatalogue.h"
#include "rom/RomAddress.h"
#include "text/TextDecoder.h"
#include "text/TextCompressor.h"

#include <algorithm>
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

namespace {

struct PlannedRun {
    ByteRun run;
    int line;
};

// Two edited blocks whose bytes overlap (one starting inside the other, or a
// text that outgrew its block) must agree on every byte they share, or the
// later line would silently win. Refuses each line that disagrees with an
// earlier one.
void refuseConflictingOverlaps(std::vector<PlannedRun> planned, ImportResult& result)
{
    std::sort(planned.begin(), planned.end(), [](const PlannedRun& a, const PlannedRun& b) { return a.run.offset < b.run.offset; });
    std::vector<std::pair<int, int>> conflicts; // (line refused, line it conflicts with)
    for (std::size_t i = 0; i < planned.size(); ++i) {
        const ByteRun& a = planned[i].run;
        const std::int64_t aEnd = a.offset + static_cast<std::int64_t>(a.bytes.size());
        for (std::size_t j = i + 1; j < planned.size() && planned[j].run.offset < aEnd; ++j) {
            const ByteRun& b = planned[j].run;
            const std::int64_t shared = std::min(aEnd, b.offset + static_cast<std::int64_t>(b.bytes.size())) - b.offset;
            const auto aFrom = a.bytes.begin() + (b.offset - a.offset);
            if (!std::equal(aFrom, aFrom + shared, b.bytes.begin())) {
                const auto [first, second] = std::minmax(planned[i].line, planned[j].line);
                conflicts.emplace_back(second, first);
            }
        }
    }
    std::sort(conflicts.begin(), conflicts.end());
    conflicts.erase(std::unique(conflicts.begin(), conflicts.end()), conflicts.end());
    for (const auto& [line, other] : conflicts)
        result.refusals.push_back({line, messages::ImportOverlap + std::to_string(other) + messages::ImportOverlapEnd});
}

bool fileHolds(RomFile& rom, std::int32_t offset, const std::vector<std::uint8_t>& bytes)
{
    for (std::size_t k = 0; k < bytes.size(); ++k)
        if (rom.byteAt(offset + static_cast<std::int64_t>(k)) != bytes[k])
            return false;
    return true;
}

} // namespace

ImportResult importText(RomFile& rom, const TextCatalogue& catalogue, std::string_view file, const ApplyOptions& options,
    bool dryRun)
{
    ImportResult result;
    const std::vector<std::string_view> lines = dumpLines(file);
    if (static_cast<int>(lines.size()) != catalogue.count) {
        const auto counted = [](std::size_t n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
        result.refusals.push_back({0, "The file has " + counted(lines.size(), "line") + " but the listing has "
                + counted(static_cast<std::size_t>(catalogue.count), "row") + "."});
        return result;
    }
    // Every changed row is checked first; blocks shared by rows are written once.
    struct Edit {
        int line;
        std::string_view text;
    };
    std::map<std::int32_t, Edit> edits;
    std::vector<PlannedRun> planned;
    DecodedText now;
    for (int row = 0; row < catalogue.count; ++row) {
        const int line = row + 1;
        const auto address = static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress);
        const std::int32_t offset = snesToFileOffset(address);
        const std::string_view text = lines[static_cast<std::size_t>(row)];
        decodeTextInto(rom, offset, true, now);
        if (text == now.text) {
            ++result.rowsUnchanged;
            continue;
        }
        if (const auto same = edits.find(offset); same != edits.end()) {
            if (same->second.text == text) {
                ++result.rowsWritten; // the same edit to a shared block: written once
                continue;
            }
            result.refusals.push_back({line, messages::ImportSharedBlock + std::to_string(same->second.line) + "."});
            continue;
        }
        edits[offset] = {line, text};
        PreparedText prepared = prepareText(rom, offset, text, options);
        if (const ApplyResult& check = prepared.result; check.outcome != ApplyOutcome::Written) {
            const bool pastEnd = check.outcome == ApplyOutcome::WriteFailed && check.write == WriteStatus::OutsideFile;
            result.refusals.push_back({line, pastEnd ? messages::ImportPastEnd : applyMessage(check, options.audience)});
            continue;
        }
        if (fileHolds(rom, offset, prepared.bytes)) {
            ++result.rowsUnchanged; // another text for the same bytes (a grouping, a compression)
            continue;
        }
        planned.push_back({{offset, std::move(prepared.bytes)}, line});
        ++result.rowsWritten;
    }
    refuseConflictingOverlaps(planned, result);
    std::sort(result.refusals.begin(), result.refusals.end(),
        [](const ImportRefusal& a, const ImportRefusal& b) { return a.line < b.line; });
    if (result.refusals.empty() && !dryRun && !planned.empty()) {
        std::vector<ByteRun> runs;
        for (PlannedRun& p : planned)
            runs.push_back(std::move(p.run));
        result.write = rom.write(runs);
    }
    return result;
}

std::string importSummary(const ImportResult& result, bool dryRun)
{
    const auto rows = [](int n) { return std::to_string(n) + (n == 1 ? " row" : " rows"); };
    return rows(result.rowsWritten) + (dryRun ? " would be changed, " : " changed, ") + rows(result.rowsUnchanged)
        + " unchanged" + (dryRun ? "; nothing was written." : ".");
}

std::string importRefusals(const ImportResult& result)
{
    std::string text;
    for (const ImportRefusal& r : result.refusals) {
        std::string sentence = r.sentence;
        for (char& c : sentence)
            if (c == '\n')
                c = ' ';
        text += (r.line > 0 ? "line " + std::to_string(r.line) + ": " : std::string()) + sentence + "\n";
    }
    if (result.refusals.empty() && result.write != WriteStatus::Written)
        text = std::string(writeStatusMessage(result.write)) + "\n";
    return text;
}

} // namespace scrivlet
