#include "BenchImages.h"

#include "catalogue/TextCatalogue.h"
#include "catalogue/TptRecord.h"
#include "cli/SampleImage.h"
#include "rom/RomAddress.h"
#include "text/CompressionDictionary.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

namespace scrivlet::bench {

namespace {

void pointRecordAt(std::vector<std::uint8_t>& image, int record, std::int32_t fileOffset)
{
    const std::size_t r = static_cast<std::size_t>(TptFirstRecord + TptRecordSize * record);
    const std::uint32_t pointer = fileOffsetToSnes(fileOffset);
    for (int b = 0; b < 4; ++b)
        image[r + TptRecord::TextPointerAt + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(pointer >> (8 * b));
}

std::vector<std::uint8_t> worst()
{
    std::vector<std::uint8_t> image = buildSampleImage(true);
    for (const TextRange& range : RawTextRanges)
        std::fill(image.begin() + range.start, image.begin() + range.endBound, 0x71);
    for (int k = 0; k < TptRecordCount; ++k)
        pointRecordAt(image, k, RawTextRanges[0].start + 16 * k);
    std::fill(image.begin() + 0x300200, image.end(), 0x02);
    return image;
}

std::vector<std::uint8_t> denseDictionary()
{
    std::vector<std::uint8_t> image = buildSampleImage(true);
    // 767 strings of 24 letters, none with a blank.
    std::size_t at = DictionaryOffset;
    for (int slot = 1; slot < DictionarySlotCount; ++slot) {
        for (int c = 0; c < DictionarySlotLength; ++c)
            image[at++] = static_cast<std::uint8_t>(0x91 + (slot + c) % 26);
        image[at++] = 0x00;
    }
    // Each pointer record aims at a block of 2000 references (4000 bytes, no end code).
    const std::int32_t blocks = RawTextRanges[1].start;
    for (int k = 0; k < TptRecordCount; ++k) {
        const std::int32_t block = blocks + (k % 8) * 4000;
        pointRecordAt(image, k, block);
    }
    for (int i = 0; i < 8 * 2000; ++i) {
        const int slot = 1 + i % 767;
        image[static_cast<std::size_t>(blocks + 2 * i)] = static_cast<std::uint8_t>(0x15 + slot / 256);
        image[static_cast<std::size_t>(blocks + 2 * i + 1)] = static_cast<std::uint8_t>(slot % 256);
    }
    return image;
}

} // namespace

std::vector<std::uint8_t> buildBenchImage(BenchImage which)
{
    switch (which) {
    case BenchImage::Sample: return buildSampleImage(true);
    case BenchImage::Worst: return worst();
    case BenchImage::DenseDictionary: return denseDictionary();
    }
    return {};
}

const char* benchImageName(BenchImage which)
{
    switch (which) {
    case BenchImage::Sample: return "sample";
    case BenchImage::Worst: return "worst";
    case BenchImage::DenseDictionary: return "dense";
    }
    return "?";
}

const std::string& benchImagePath(BenchImage which)
{
    static std::map<BenchImage, std::string> paths;
    auto it = paths.find(which);
    if (it != paths.end())
        return it->second;
    const auto path = std::filesystem::temp_directory_path() / ("scrivlet-bench-" + std::string(benchImageName(which)) + ".smc");
    const auto image = buildBenchImage(which);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return paths[which] = path.string();
}

} // namespace scrivlet::bench
