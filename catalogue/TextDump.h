#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace scrivlet {

class RomFile;
struct TextCatalogue;

// Hands the dump to `emit` in pieces of about 64 KiB: one line per row, the
// row's text with codes as stored now, then the platform's line end (CR LF on Windows). Stops and gives false
// as soon as `emit` does.
bool writeDump(RomFile& rom, const TextCatalogue& catalogue, const std::function<bool(std::string_view)>& emit);
// The same, written to a stream; false when a byte did not reach it.
bool writeDump(RomFile& rom, const TextCatalogue& catalogue, std::FILE* out);

// Creates (or replaces) the file with the dump. A regular file is replaced
// whole or not at all: a failed dump leaves the old file as it was. False when
// it could not be created or written.
bool writeDumpFile(RomFile& rom, const TextCatalogue& catalogue, const std::string& path);

} // namespace scrivlet
