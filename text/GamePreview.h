#pragma once

#include "TextFit.h"

#include <cstdint>
#include <vector>

namespace scrivlet {

// A picture as rows of 0xAARRGGBB pixels, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

namespace preview {
inline constexpr std::uint32_t Frame = 0xFFB8C0D0;
inline constexpr std::uint32_t Inside = 0xFF181830;
inline constexpr std::uint32_t Ink = 0xFFF8F8F8;
inline constexpr std::uint32_t Beyond = 0xFF502028;     // the room past the window's edge
inline constexpr std::uint32_t WarningInk = 0xFFFF7050; // what is drawn there
inline constexpr std::uint32_t Name = 0xFF6080B0;       // the room a name takes
inline constexpr std::uint32_t PageMark = 0xFFF8D040;
inline constexpr int Margin = 8; // one tile of frame around the text area
} // namespace preview

struct PreviewLayout {
    int limit = FallbackLineLimit;         // pixels across the text area
    int linesPerPage = FallbackWindowLines; // lines the window shows at once
    int scale = 2;
};

// Pages of `measure`: the window's lines, so many at a time.
int previewPageCount(const TextMeasure& measure, const PreviewLayout& layout);
// The page holding the item that covers byte `offset` (the last page past the end).
int previewPageOf(const TextMeasure& measure, int offset, const PreviewLayout& layout);

// Draws the text as the game's window shows it: glyphs of the image's font,
// dictionary strings as their letters, a name as a block of its room, a mark
// at each wait code (03, 13, 14), and what lies past the window's edge in the
// warning colours. `page` draws one page; -1 draws every page, one under another.
Picture renderPreview(std::span<const std::uint8_t> bytes, const TextMeasure& measure, const GameFont& font,
    const PreviewLayout& layout, int page = -1, const CompressionDictionary& dictionary = compressionDictionary());

} // namespace scrivlet
