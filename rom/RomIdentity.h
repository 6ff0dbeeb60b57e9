#pragma once

#include <cstdint>
#include <string_view>

namespace scrivlet {

class RomFile;

inline constexpr std::int32_t HeaderTitleOffset = 0x101C0;
inline constexpr int HeaderTitleLength = 15;

enum class RomType { Unknown = 0, EarthBound = 1, Mother2 = 2, EarthBoundBad = 3 };

// Classifies the image by the 15 title bytes of its SNES header. Leaves the
// stream just behind the title.
RomType identifyRom(RomFile& rom);

// The file size in bytes; leaves the stream at the end of the file.
long romFileSize(RomFile& rom);

// The name the tool shows for a type, e.g. "EarthBound ROM (bad)".
std::string_view romTypeDisplayName(RomType type);

// Whether the editor opens an image of this type.
bool isAcceptedRomType(RomType type);

} // namespace scrivlet
