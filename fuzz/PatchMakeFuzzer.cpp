// libFuzzer target: both patch makers. The input is split into an original
// and a modified image; a patch made from them in either format applies back
// to exactly the modified image.
#include "rom/Patch.h"

#include <vector>

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t split = std::min<std::size_t>(size - 2, (static_cast<std::size_t>(data[0]) << 8 | data[1]));
    const std::vector<std::uint8_t> original(data + 2, data + 2 + split);
    const std::vector<std::uint8_t> modified(data + 2 + split, data + size);
    if (modified.empty())
        return 0; // no image is empty: the appliers refuse such a result
    for (PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps}) {
        const auto patch = makePatch(format, original, modified);
        if (!patch)
            __builtin_trap(); // both formats describe any change of a small image
        const PatchResult applied = applyPatch(original, *patch);
        if (!applied.error.empty() || applied.output != modified)
            __builtin_trap();
    }
    return 0;
}
