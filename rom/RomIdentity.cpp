#include "RomIdentity.h"

#include "RomFile.h"

#include <cstring>

namespace scrivlet {

RomType identifyRom(RomFile& rom)
{
    char title[HeaderTitleLength + 1] = {};
    rom.seek(HeaderTitleOffset);
    for (int i = 0; i < HeaderTitleLength; ++i)
        title[i] = static_cast<char>(rom.readByte()); // end of file lands as 0xFF
    // Compared as a NUL-terminated string: a NUL among the title bytes never matches.
    if (std::strcmp(title, "EARTH BOUND (J)") == 0)
        return RomType::EarthBound;
    if (std::strcmp(title, "MOTHER-2       ") == 0)
        return RomType::Mother2;
    if (std::strcmp(title, "EARTH BOUND    ") == 0)
        return RomType::EarthBoundBad;
    return RomType::Unknown;
}

long romFileSize(RomFile& rom) { return static_cast<long>(rom.seekEnd()); }

std::string_view romTypeDisplayName(RomType type)
{
    switch (type) {
    case RomType::EarthBound: return "EarthBound ROM";
    case RomType::Mother2: return "Mother 2 ROM";
    case RomType::EarthBoundBad: return "EarthBound ROM (bad)";
    case RomType::Unknown: break;
    }
    return "Unknown/invalid ROM";
}

bool isAcceptedRomType(RomType type)
{
    return type == RomType::EarthBound || type == RomType::EarthBoundBad;
}

} // namespace scrivlet
