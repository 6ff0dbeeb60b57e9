#include "TextRelocation.h"

#include "Messages.h"
#include "TextApply.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/TptRecord.h"
#include "rom/RomAddress.h"
#include "rom/RomExpansion.h"
#include "text/GameFont.h"
#include "text/TextCompressor.h"

#include <memory>

namespace scrivlet {

namespace {

bool holdsFiller(RomFile& rom, std::int64_t start)
{
    for (int i = 0; i < FillerBlockSize; ++i)
        if (rom.byteAt(start + i) != (i == FillerBlockSize - 1 ? 0x02 : 0x00))
            return false;
    return true;
}

} // namespace

std::vector<bool> freeExpandedBlocks(RomFile& rom)
{
    const std::int64_t first = ExpandedTextRange.start;
    const std::int64_t end = std::min<std::int64_t>(rom.size(), std::int64_t{ExpandedRomSize} + 1);
    const std::int64_t count = std::max<std::int64_t>(0, (end - first) / FillerBlockSize);
    std::vector<bool> free(static_cast<std::size_t>(count));
    for (std::int64_t k = 0; k < count; ++k)
        free[static_cast<std::size_t>(k)] = holdsFiller(rom, first + k * FillerBlockSize);
    // A block any record points into is taken, whatever it holds.
    auto records = std::make_unique<TextCatalogue>();
    scanPointerTable(*records, rom);
    for (int r = 0; r < records->count; ++r) {
        const std::int64_t offset = snesToFileOffset(static_cast<std::uint32_t>(records->rows[static_cast<std::size_t>(r)].snesAddress));
        const std::int64_t k = (offset - first) / FillerBlockSize;
        if (offset >= first && k < count)
            free[static_cast<std::size_t>(k)] = false;
    }
    // So is every block of a moved font (its last may end as a filler block does).
    for (const FileRange& room : movedFontRooms(rom))
        for (std::int64_t k = (room.start - first) / FillerBlockSize; k < count && first + k * FillerBlockSize < room.end; ++k)
            if (k >= 0)
                free[static_cast<std::size_t>(k)] = false;
    return free;
}

RelocationResult relocateText(RomFile& rom, const TextEntry& row, std::string_view text, const ApplyOptions& options)
{
    if (row.tptRecordOffset == 0)
        return {RelocationOutcome::NoRecord, 0, WriteStatus::Written, {}};
    PreparedText prepared = encodeForWrite(text, options);
    if (prepared.result.outcome != ApplyOutcome::Written)
        return {RelocationOutcome::TextRefused, 0, WriteStatus::Written, applyMessage(prepared.result, options.audience)};
    const int size = static_cast<int>(prepared.bytes.size());
    if (rom.size() < ExpandedRomSize)
        return {RelocationOutcome::NotExpanded, 0, WriteStatus::Written, {}};
    const std::vector<bool> free = freeExpandedBlocks(rom);
    const std::size_t needed = static_cast<std::size_t>(std::max(1, (size + FillerBlockSize - 1) / FillerBlockSize));
    std::size_t run = 0;
    for (std::size_t k = 0; k < free.size(); ++k) {
        run = free[k] ? run + 1 : 0;
        if (run < needed)
            continue;
        const std::int64_t start = ExpandedTextRange.start + static_cast<std::int64_t>(k + 1 - needed) * FillerBlockSize;
        const std::uint32_t address = fileOffsetToSnes(static_cast<std::int32_t>(start));
        const std::vector<ByteRun> runs{
            {start, prepared.bytes},
            {static_cast<std::int64_t>(row.tptRecordOffset) + TptRecord::TextPointerAt,
                {static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(address >> 8),
                    static_cast<std::uint8_t>(address >> 16), static_cast<std::uint8_t>(address >> 24)}},
        };
        const WriteStatus status = rom.write(runs);
        if (status != WriteStatus::Written)
            return {RelocationOutcome::WriteFailed, 0, status, {}};
        return {RelocationOutcome::Moved, address, WriteStatus::Written, {}};
    }
    return {RelocationOutcome::NoRoom, 0, WriteStatus::Written, {}};
}

std::string relocationMessage(const RelocationResult& result)
{
    switch (result.outcome) {
    case RelocationOutcome::Moved: return {};
    case RelocationOutcome::NoRecord: return messages::RelocateNoRecord;
    case RelocationOutcome::TextRefused: return result.refusal;
    case RelocationOutcome::NotExpanded: return messages::RelocateNotExpanded;
    case RelocationOutcome::NoRoom: return messages::RelocateNoRoom;
    case RelocationOutcome::WriteFailed: return writeStatusMessage(result.write);
    }
    return {};
}

} // namespace scrivlet
