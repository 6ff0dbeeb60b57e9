#include "BlockItems.h"

#include "rom/RomFile.h"
#include "text/TextDecoder.h"

namespace scrivlet {

namespace {
constexpr int Slack = 32;
}

void readBlockItems(RomFile& rom, std::int32_t fileOffset, CodeGrouping grouping, BlockItems& block)
{
    block.size = decodeSize(rom, fileOffset, compressionDictionary(), grouping);
    block.bytes.resize(static_cast<std::size_t>(block.size + Slack));
    for (int i = 0; i < block.size + Slack; ++i)
        block.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(rom.byteAt(fileOffset + static_cast<std::int64_t>(i)) & 0xFF);
    block.items = blockItems(block.bytes, grouping);
    std::erase_if(block.items, [&](const TextItem& item) { return item.offset >= block.size; });
}

} // namespace scrivlet
