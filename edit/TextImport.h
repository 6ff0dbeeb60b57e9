#pragma once

#include "TextApply.h"
#include "rom/RomFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace scrivlet {

struct TextCatalogue;

// A dump file taken back: one line per row of the listing, display text with
// codes, LF or CR LF line ends. Only rows whose bytes would change are
// written (a line equal to the row's text, or one whose bytes are already in
// the file, is left alone), each with the checks of Apply Changes, and all of
// them in one write or none at all.
struct ImportRefusal {
    int line; // of the dump file, counted from 1; 0: the file as a whole
    std::string sentence;
};

struct ImportResult {
    int rowsWritten = 0;   // rows whose bytes were (or, checking only, would be) changed
    int rowsUnchanged = 0;
    std::vector<ImportRefusal> refusals;
    WriteStatus write = WriteStatus::Written;
    bool written() const { return refusals.empty() && write == WriteStatus::Written; }
};

// The lines of a dump file; a final line end closes the last line.
std::vector<std::string_view> dumpLines(std::string_view file);

ImportResult importText(RomFile& rom, const TextCatalogue& catalogue, std::string_view file, const ApplyOptions& options,
    bool dryRun);

// One line for the summary: "12 rows changed, 1380 rows unchanged."
std::string importSummary(const ImportResult& result, bool dryRun);
// Each refusal as "line N: " (N is also the row's line in the window) and the sentence, one per line; or, when every
// line passed and the write itself failed, why it failed.
std::string importRefusals(const ImportResult& result);

} // namespace scrivlet
