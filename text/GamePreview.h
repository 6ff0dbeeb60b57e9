#pragma once

#include "TextLayout.h"

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
inline constexpr std::uint32_t WarningInk = 0xFFFF7050; // a word the window cuts
inline constexpr std::uint32_t Name = 0xFF6080B0;       // the room a name takes
inline constexpr std::uint32_t PageMark = 0xFFF8D040;
inline constexpr int Margin = 8;       // one tile of frame around the text area
inline constexpr int MostBeyond = 32;  // the widest strip drawn past the edge
inline constexpr int MostPages = 64;   // pages drawn one under another at most
inline constexpr long long MostPixels = 8'000'000; // and no more pixels than this in all
inline constexpr int Scale = 2;
} // namespace preview

// Pages of a layout: what the player reads at each wait and at the end.
int previewPageCount(const TextLayout& layout);
// The page the player reads when the byte at `offset` has been printed.
int previewPageOf(const TextLayout& layout, int offset);

// How many pages renderPreview(layout, setup, -1, scale) draws: every page,
// but at most MostPages and MostPixels (and at least one).
int previewPagesDrawn(const TextLayout& layout, const LayoutSetup& setup, int scale = preview::Scale);

// Draws the text as the game's window shows it: the glyphs of the image's
// fonts where the layout put them, a name the image does not hold as a block
// of its room, a mark where the game waits, and a word the window cuts in the
// warning colours. `page` draws one page; -1 draws the pages previewPagesDrawn
// says, one under another.
Picture renderPreview(const TextLayout& layout, const LayoutSetup& setup, int page = -1, int scale = preview::Scale);

} // namespace scrivlet
