#include "RomExpansion.h"

#include <algorithm>
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
    const std::int64_t length = std::min(blocks * FillerBlockSize, targetSize + 1 - currentSize);
    std::vector<std::uint8_t> filler(static_cast<std::size_t>(length), 0x00);
    for (std::size_t end = FillerBlockSize - 1; end < filler.size(); end += FillerBlockSize)
        filler[end] = 0x02;
    filler.back() = 0x02; // a block cut short ends as a block does
    const WriteStatus status = rom.grow(filler);
    return {status == WriteStatus::Written, status};
}

} // namespace scrivlet
