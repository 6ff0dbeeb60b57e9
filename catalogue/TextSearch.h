#pragma once

#include <string>
#include <string_view>

namespace scrivlet {

class RomFile;
struct TextCatalogue;

// The search string holds at most this many characters; longer ones are cut.
inline constexpr int SearchNeedleMaxChars = 3999;

// The needle as compared: cut to its limit, small letters a-z made capitals.
std::string searchNeedle(std::string_view typed);

// The first row from `firstRow` on whose text with codes, a-z made capitals,
// contains `needle` (already made by searchNeedle); -1 when none does. Never
// wraps to the top. Each row is decoded from the file afresh.
int findMatchingRow(RomFile& rom, const TextCatalogue& catalogue, std::string_view needle, int firstRow);

} // namespace scrivlet
