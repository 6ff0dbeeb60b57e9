#include "GamePreview.h"

#include <algorithm>

namespace scrivlet {

namespace {

bool isWaitCode(int b) { return b == 0x03 || b == 0x13 || b == 0x14; }

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

struct PageGeometry {
    int textWidth; // the window's text area, or wider where a line runs past it
    int height;    // unscaled, frame included
};

PageGeometry pageGeometry(const TextMeasure& measure, const PreviewLayout& layout)
{
    const int widest = *std::max_element(measure.lineWidths.begin(), measure.lineWidths.end());
    return {std::max(layout.limit, widest), layout.linesPerPage * GlyphSize + 2 * preview::Margin};
}

// A glyph whose advance reaches past the limit is drawn whole in the warning
// colour, as the fit check and the edit box's marks count it.
void drawGlyph(Canvas& canvas, const GameFont& font, int b, int x, int y, int limit)
{
    const std::uint32_t ink = x + font.width(b) > limit ? preview::WarningInk : preview::Ink;
    for (int gy = 0; gy < GlyphSize; ++gy)
        for (int gx = 0; gx < GlyphSize; ++gx)
            if (font.pixel(b, gx, gy))
                canvas.dot(preview::Margin + x + gx, y + gy, ink);
}

void drawPage(Canvas& canvas, std::span<const std::uint8_t> bytes, const TextMeasure& measure, const GameFont& font,
    const PreviewLayout& layout, const PageGeometry& geometry, int page, const CompressionDictionary& dictionary)
{
    const int width = geometry.textWidth + 2 * preview::Margin;
    canvas.fill(0, 0, width, geometry.height, preview::Frame);
    canvas.fill(preview::Margin, preview::Margin, layout.limit, layout.linesPerPage * GlyphSize, preview::Inside);
    if (geometry.textWidth > layout.limit)
        canvas.fill(preview::Margin + layout.limit, preview::Margin, geometry.textWidth - layout.limit,
            layout.linesPerPage * GlyphSize, preview::Beyond);
    const int firstLine = page * layout.linesPerPage;
    for (const MeasuredItem& m : measure.items) {
        const int row = m.line - firstLine;
        if (row < 0 || row >= layout.linesPerPage)
            continue;
        const int y = preview::Margin + row * GlyphSize;
        const auto code = bytes.subspan(static_cast<std::size_t>(m.item.offset), static_cast<std::size_t>(m.item.length));
        switch (m.item.kind) {
        case ByteClass::Character:
            drawGlyph(canvas, font, code[0], m.x, y, layout.limit);
            break;
        case ByteClass::DictionaryReference: {
            if (code.size() < 2)
                break;
            int x = m.x;
            for (char c : dictionary.slot((code[0] - 0x15) * 256 + code[1])) {
                const int u = static_cast<unsigned char>(c);
                if (u < 0x20 || u > 0x7F)
                    continue;
                drawGlyph(canvas, font, u + CharacterOffset, x, y, layout.limit);
                x += font.width(u + CharacterOffset);
            }
            break;
        }
        case ByteClass::ControlCode:
            if (m.width > 0)
                canvas.fill(preview::Margin + m.x, y + 2, m.width - 1, GlyphSize - 4,
                    m.x + m.width > layout.limit ? preview::WarningInk : preview::Name);
            else if (isWaitCode(code[0])) // a small down-pointing triangle where the game waits
                for (int j = 0; j < 4; ++j)
                    canvas.fill(preview::Margin + m.x + 1 + j, y + 8 + j, 7 - 2 * j, 1, preview::PageMark);
            break;
        }
    }
}

} // namespace

int previewPageCount(const TextMeasure& measure, const PreviewLayout& layout)
{
    const int lines = static_cast<int>(measure.lineWidths.size());
    return std::max(1, (lines + layout.linesPerPage - 1) / layout.linesPerPage);
}

int previewPageOf(const TextMeasure& measure, int offset, const PreviewLayout& layout)
{
    for (const MeasuredItem& m : measure.items)
        if (offset < m.item.offset + m.item.length)
            return m.line / layout.linesPerPage;
    return previewPageCount(measure, layout) - 1;
}

Picture renderPreview(std::span<const std::uint8_t> bytes, const TextMeasure& measure, const GameFont& font,
    const PreviewLayout& layout, int page, const CompressionDictionary& dictionary)
{
    const PageGeometry geometry = pageGeometry(measure, layout);
    const int pages = page < 0 ? previewPageCount(measure, layout) : 1;
    Picture picture;
    picture.width = (geometry.textWidth + 2 * preview::Margin) * layout.scale;
    picture.height = geometry.height * pages * layout.scale;
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height), preview::Frame);
    for (int p = 0; p < pages; ++p) {
        Canvas canvas(picture, p * geometry.height * layout.scale, layout.scale);
        drawPage(canvas, bytes, measure, font, layout, geometry, page < 0 ? p : page, dictionary);
    }
    return picture;
}

} // namespace scrivlet
