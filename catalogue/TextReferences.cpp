#include "TextReferences.h"

#include "BlockItems.h"
#include "TptRecord.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "text/TextDecoder.h"
#include "text/TextItems.h"

#include <unordered_set>

namespace scrivlet {

namespace {

void findRecords(RomFile& rom, std::uint32_t address, std::vector<int>& records)
{
    for (int record = 0; record < TptRecordCount; ++record) {
        const std::int64_t at = TptFirstRecord + static_cast<std::int64_t>(record) * TptRecordSize + TptRecord::TextPointerAt;
        std::uint32_t pointer = 0;
        bool whole = true;
        for (int k = 0; k < 4 && whole; ++k) {
            const int b = rom.byteAt(at + k);
            whole = b >= 0;
            pointer |= static_cast<std::uint32_t>(b & 0xFF) << (8 * k);
        }
        if (whole && pointer == address)
            records.push_back(record);
    }
}

} // namespace

TextReferences findReferences(RomFile& rom, const TextCatalogue& catalogue, std::uint32_t address, CodeGrouping grouping)
{
    TextReferences found;
    findRecords(rom, address, found.records);
    std::unordered_set<std::int32_t> scanned;
    BlockItems walked;
    for (int row = 0; row < catalogue.count; ++row) {
        const std::int32_t block = catalogue.rows[static_cast<std::size_t>(row)].snesAddress;
        if (!scanned.insert(block).second)
            continue;
        readBlockItems(rom, snesToFileOffset(static_cast<std::uint32_t>(block)), grouping, walked);
        for (const TextItem& item : walked.items) {
            if (item.kind == ByteClass::Character)
                continue;
            const std::span<const std::uint8_t> code(walked.bytes.data() + item.offset, static_cast<std::size_t>(item.length));
            for (const CodeAddress& pointer : codeAddresses(code, grouping)) {
                if (pointer.address != address)
                    continue;
                const ControlCodeInfo* info = codeRow(code);
                found.codes.push_back({row, static_cast<std::uint32_t>(block), item.offset, info ? info->name : "unknown"});
                break;
            }
        }
    }
    return found;
}

int rowStartingAt(const TextCatalogue& catalogue, std::uint32_t address)
{
    for (int row = 0; row < catalogue.count; ++row)
        if (static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress) == address)
            return row;
    return -1;
}

} // namespace scrivlet
