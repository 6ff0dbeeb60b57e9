#include "RomExpansion.h"

#include "RomFile.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace scrivlet {

namespace {
bool appendFiller(const std::string& path, std::int64_t blocks)
{
    std::FILE* out = std::fopen(path.c_str(), "ab");
    if (!out)
        return false;
    std::vector<unsigned char> block(FillerBlockSize, 0x00);
    block.back() = 0x02;
    bool ok = true;
    for (std::int64_t i = 0; i < blocks && ok; ++i)
        ok = std::fwrite(block.data(), 1, block.size(), out) == block.size();
    if (std::fclose(out) != 0)
        ok = false;
    return ok;
}
} // namespace

PadResult padRomFile(RomFile& rom, const std::string& path, std::int64_t targetSize)
{
    const std::int64_t currentSize = rom.seekEnd();
    if (static_cast<std::uint64_t>(currentSize) >= static_cast<std::uint64_t>(targetSize))
        return PadResult::AlreadyLargeEnough;

    // Edits still buffered must be in the file before anything is appended.
    rom.close();
    const std::int64_t blocks = (targetSize - currentSize + FillerBlockSize - 1) / FillerBlockSize;
    // Append only to the image that was open: a file removed or replaced in the
    // meantime must not be recreated as a file of filler.
    std::error_code error;
    const auto sizeNow = std::filesystem::file_size(path, error);
    const bool appended = !error && sizeNow == static_cast<std::uintmax_t>(currentSize) && appendFiller(path, blocks);
    if (!rom.open(path))
        return PadResult::ReopenFailed;
    return appended ? PadResult::Padded : PadResult::AppendFailed;
}

} // namespace scrivlet
