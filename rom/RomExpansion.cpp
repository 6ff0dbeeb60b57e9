#include "RomExpansion.h"

#include <vector>

namespace scrivlet {

PadResult padRomFile(RomFile& rom, std::int64_t targetSize)
{
    rom.beginAction();
    const std::int64_t currentSize = rom.seekEnd();
    if (currentSize < 0)
        return {false, WriteStatus::NotOpenForUpdate};
    if (static_cast<std::uint64_t>(currentSize) >= static_cast<std::uint64_t>(targetSize))
        return {false, WriteStatus::Written};
    const std::int64_t blocks = (targetSize - currentSize + FillerBlockSize - 1) / FillerBlockSize;
    std::vector<std::uint8_t> filler(static_cast<std::size_t>(blocks * FillerBlockSize), 0x00);
    for (std::size_t end = FillerBlockSize - 1; end < filler.size(); end += FillerBlockSize)
        filler[end] = 0x02;
    const WriteStatus status = rom.grow(filler);
    return {status == WriteStatus::Written, status};
}

} // namespace scrivlet
