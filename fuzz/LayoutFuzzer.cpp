// libFuzzer target: the game's layout over arbitrary image bytes and texts.
// The input's first byte picks where its first part goes in an image (the
// font table, a font's widths, the window table, the item or enemy table) and
// which window to lay out in; the rest is laid out as a block in both
// groupings, drawn page by page, and, read as display text, marked as the edit
// box marks it. Nothing may crash, hang or read out of bounds, and no picture
// may pass its bounds.
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "text/GamePreview.h"
#include "text/TextFit.h"

#include <algorithm>
#include <iterator>
#include <string>

using namespace scrivlet;

namespace {
constexpr std::uint32_t Places[] = {FontTableAddress, FontWidthsAddress, SaturnFontWidthsAddress, WindowTableAddress,
    ItemTableAddress, EnemyTableAddress};
constexpr std::size_t ImageSize = 0x300200;
constexpr std::size_t MostImageBytes = 512;

std::vector<std::uint8_t>& blankImage()
{
    static std::vector<std::uint8_t> image(ImageSize, 0x00);
    return image;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const auto at = static_cast<std::size_t>(snesToFileOffset(Places[data[0] % std::size(Places)]));
    const int entry = data[1];
    const std::size_t split = std::min<std::size_t>(data[2] * 4u, size - 3);
    const std::span<const std::uint8_t> imagePart(data + 3, split), text(data + 3 + split, size - 3 - split);
    const std::size_t placed = std::min(imagePart.size(), MostImageBytes);
    std::vector<std::uint8_t>& image = blankImage();
    std::copy_n(imagePart.begin(), placed, image.begin() + static_cast<std::ptrdiff_t>(at));

    RomFile rom;
    rom.openBytes(image);
    const LayoutSetup setup = readLayoutSetup(rom, entry);
    for (CodeGrouping grouping : {CodeGrouping::Classic, CodeGrouping::Game}) {
        const auto items = textItems(text, grouping);
        const TextLayout layout = layOutText(text, items, setup);
        const Picture all = renderPreview(layout, setup);
        const int pageHeight = (setup.lines * GlyphSize + 2 * preview::Margin) * preview::Scale;
        if (all.height > pageHeight * preview::MostPages || all.width > (MaxLineLimit + preview::MostBeyond + 2 * preview::Margin) * preview::Scale)
            __builtin_trap();
        renderPreview(layout, setup, previewPageOf(layout, static_cast<int>(text.size() / 2)));
        const std::string shown(text.begin(), text.end());
        cutRanges(shown, setup, grouping);
    }
    rom.close();
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(at), placed, 0x00);
    return 0;
}
