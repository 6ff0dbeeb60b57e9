#pragma once

#include <cstdio>
#include <string>

namespace scrivlet {

class RomFile;
struct TextCatalogue;

// Writes one line per row, the row's text with codes as stored now, "%s\n".
// False when a line did not reach the output.
bool writeDump(RomFile& rom, const TextCatalogue& catalogue, std::FILE* out);

// Creates (or empties) the file and writes the dump into it. Nothing is written
// through a file that failed to open; false when it could not be created or written.
bool writeDumpFile(RomFile& rom, const TextCatalogue& catalogue, const std::string& path);

} // namespace scrivlet
