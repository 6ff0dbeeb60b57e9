#pragma once

#include <cstdint>

namespace scrivlet::fuzz {
// The places of an image the image target writes its input at (picked by the
// input's first byte): the header, text, the dictionary, the pointer table,
// the last text range, the expanded area and its end.
inline constexpr std::uint32_t Places[] = {0, 0x101C0, 0x51D12, 0x8BE3E, 0xF8B92, 0x2F5020, 0x300200, 0x3FFF00};
} // namespace scrivlet::fuzz
