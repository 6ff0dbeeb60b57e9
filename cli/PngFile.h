#pragma once

#include "text/GamePreview.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace scrivlet::cli {

// Whether this build can write PNG files (it links libpng).
bool canWritePng();
// The picture as the bytes of a PNG file (8-bit RGB); nullopt when it cannot be made.
std::optional<std::vector<std::uint8_t>> encodePng(const Picture& picture);

} // namespace scrivlet::cli
