#include "GamePreview.h"

#include <algorithm>

namespace scrivlet {

namespace {

class Canvas {
public:
    Canvas(Picture& picture, int top, int scale) : picture_(picture), top_(top), scale_(scale) {}

    // One unscaled pixel of the page.
    void dot(int x, int y, std::uint32_t colour)
    {
        for (int dy = 0; dy < scale_; ++dy)
            for (int dx = 0; dx < scale_; ++dx) {
                const int px = x * scale_ + dx, py = top_ + y * scale_ + dy;
                if (px >= 0 && px < picture_.width && py >= 0 && py < picture_.height)
                    picture_.pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(picture_.width) + static_cast<std::size_t>(px)] = colour;
            }
    }
    void fill(int x, int y, int w, int h, std::uint32_t colour)
    {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                dot(x + i, y + j, colour);
    }

private:
    Picture& picture_;
    int top_, scale_;
};

// The text area's width and the strip past its edge that cut ink reaches.
int beyondWidth(const TextLayout& layout, int width)
{
    int reach = width;
    for (const LaidItem& laid : layout.items)
        if (laid.cut)
            reach = std::max(reach, laid.x + laid.ink);
    return std::min(reach - width, preview::MostBeyond);
}

int pageHeight(const LayoutSetup& setup) { return setup.lines * GlyphSize + 2 * preview::Margin; }

void drawGlyph(Canvas& canvas, const GameFont& font, const LaidItem& laid, int y, int clipRight)
{
    const std::uint32_t ink = laid.cutWord ? preview::WarningInk : preview::Ink;
    if (laid.kind == LaidItem::Kind::Tile) { // the window's own 8-pixel tile: drawn as a frame of it
        for (int i = 0; i < TileSize && laid.x + i < clipRight; ++i) {
            canvas.dot(preview::Margin + laid.x + i, y + 4, ink);
            canvas.dot(preview::Margin + laid.x + i, y + 11, ink);
        }
        return;
    }
    for (int gy = 0; gy < GlyphSize; ++gy)
        for (int gx = 0; gx < GlyphSize && laid.x + gx < clipRight; ++gx)
            if (font.pixel(laid.byte, gx, gy))
                canvas.dot(preview::Margin + laid.x + gx, y + gy, ink);
}

void drawPage(Canvas& canvas, const TextLayout& layout, const LayoutSetup& setup, int beyond, int page)
{
    const LayoutStop& stop = layout.stops[static_cast<std::size_t>(page)];
    const int width = setup.width + beyond + 2 * preview::Margin;
    const int textHeight = setup.lines * GlyphSize;
    canvas.fill(0, 0, width, pageHeight(setup), preview::Frame);
    canvas.fill(preview::Margin, preview::Margin, setup.width, textHeight, preview::Inside);
    if (beyond > 0)
        canvas.fill(preview::Margin + setup.width, preview::Margin, beyond, textHeight, preview::Beyond);
    const int firstLine = std::max(0, stop.lastLine - setup.lines + 1);
    const int clipRight = setup.width + beyond;
    for (int k = 0; k < stop.laidEnd; ++k) {
        const LaidItem& laid = layout.items[static_cast<std::size_t>(k)];
        const int row = laid.line - firstLine;
        if (row < 0 || row >= setup.lines)
            continue;
        const int y = preview::Margin + row * GlyphSize;
        if (laid.kind == LaidItem::Kind::Name)
            canvas.fill(preview::Margin + laid.x, y + 2, std::min(laid.ink, clipRight - laid.x), GlyphSize - 4,
                laid.cut ? preview::WarningInk : preview::Name);
        else
            drawGlyph(canvas, laid.font == FontKind::Saturn ? setup.saturn : setup.main, laid, y, clipRight);
    }
    const int markRow = stop.line - firstLine;
    if (stop.waits && markRow >= 0 && markRow < setup.lines && stop.x + 8 <= clipRight) // a small down-pointing triangle
        for (int j = 0; j < 4; ++j)
            canvas.fill(preview::Margin + stop.x + 1 + j, preview::Margin + markRow * GlyphSize + 8 + j, 7 - 2 * j, 1, preview::PageMark);
}

} // namespace

int previewPageCount(const TextLayout& layout) { return static_cast<int>(layout.stops.size()); }

int previewPageOf(const TextLayout& layout, int offset)
{
    for (std::size_t k = 0; k < layout.stops.size(); ++k)
        if (offset <= layout.stops[k].byteOffset)
            return static_cast<int>(k);
    return previewPageCount(layout) - 1;
}

int previewPagesDrawn(const TextLayout& layout, const LayoutSetup& setup, int scale)
{
    const long long pagePixels = static_cast<long long>(setup.width + beyondWidth(layout, setup.width) + 2 * preview::Margin) * scale
        * pageHeight(setup) * scale;
    const long long fit = pagePixels > 0 ? preview::MostPixels / pagePixels : preview::MostPages;
    return static_cast<int>(std::max<long long>(1, std::min<long long>({previewPageCount(layout), preview::MostPages, fit})));
}

Picture renderPreview(const TextLayout& layout, const LayoutSetup& setup, int page, int scale)
{
    const int beyond = beyondWidth(layout, setup.width);
    const int pages = page < 0 ? previewPagesDrawn(layout, setup, scale) : 1;
    Picture picture;
    picture.width = (setup.width + beyond + 2 * preview::Margin) * scale;
    picture.height = pageHeight(setup) * pages * scale;
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height), preview::Frame);
    for (int p = 0; p < pages; ++p) {
        Canvas canvas(picture, p * pageHeight(setup) * scale, scale);
        drawPage(canvas, layout, setup, beyond, page < 0 ? p : std::clamp(page, 0, previewPageCount(layout) - 1));
    }
    return picture;
}

} // namespace scrivlet
