#pragma once

#include "text/GamePreview.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace scrivlet::cli {

// Whether this build can write PNG files (it links libpng).
bool canWritePng();
// The picture as the bytes of a PNG file (8-bit RGB); nullopt when it cannot be made.
std::optional<std::vector<std::uint8_t>> encodePng(const Picture& picture);
// The picture a PNG file's bytes hold, in any of its colour types, as opaque
// pixels (drawn over white where it has transparency); nullopt when the bytes
// are not a PNG file libpng can read or the picture is larger than `maxPixels`.
std::optional<Picture> decodePng(std::span<const std::uint8_t> bytes, long long maxPixels = 4'000'000);

} // namespace scrivlet::cli
