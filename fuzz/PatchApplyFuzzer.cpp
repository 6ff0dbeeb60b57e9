// libFuzzer target: the IPS and BPS appliers on hostile patches. The first
// byte chooses the original (a few KiB of a fixed pattern) and whether a BPS
// patch has its checksums put right, so that the action decoder is reached and
// not only the checksum test. Every patch is applied or refused; a result is
// never empty or over the cap, and memory stays near the real result.
#include "rom/Crc32.h"
#include "rom/Patch.h"

#include <algorithm>
#include <vector>

using namespace scrivlet;

namespace {
void put32(std::vector<std::uint8_t>& patch, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        patch[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t mode = data[0];
    std::vector<std::uint8_t> source(static_cast<std::size_t>(mode & 0x3F) * 97);
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<std::uint8_t>(i * 31 + (i >> 7));
    std::vector<std::uint8_t> patch(data + 1, data + size);
    if ((mode & 0x80) && patch.size() >= 4 + 12) {
        patch[0] = 'B', patch[1] = 'P', patch[2] = 'S', patch[3] = '1';
        put32(patch, patch.size() - 12, crc32(source));
        put32(patch, patch.size() - 4, crc32(std::span(patch).first(patch.size() - 4)));
    }
    const PatchResult result = applyPatch(source, patch);
    if (result.error.empty() && (result.output.empty() || result.output.size() > PatchMaxImageBytes))
        __builtin_trap();
    if (!result.error.empty() && !result.output.empty())
        __builtin_trap(); // a refused patch gives no image
    return 0;
}
