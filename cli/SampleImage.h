#pragma once

#include <cstdint>
#include <vector>

namespace scrivlet {

inline constexpr std::size_t SampleImageSize = 0x300200;

// A demo image for newcomers, the same bytes on every run: titled
// "EARTH BOUND (J)", with invented dictionary strings, invented dialogue with
// the usual control codes, and pointer-table records aimed at the dialogue.
// Expanded, it carries filler blocks up to 0x400200 bytes.
std::vector<std::uint8_t> buildSampleImage(bool expanded);

} // namespace scrivlet
