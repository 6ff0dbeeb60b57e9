#include "FontPictures.h"

namespace scrivlet {

namespace {

constexpr std::uint32_t Paper = 0xFFFFFFFF, Ink = 0xFF000000, Grid = 0xFFC0C0C0, Label = 0xFF505050, Chosen = 0xFF2060D0,
                        Beyond = 0xFFF4F0E0, WidthLine = 0xFFD02020, Unused = 0xFFE8E8E8;

// The hex digits as 3 x 5 pixels, a row a byte (bit 2 leftmost).
constexpr std::array<std::array<std::uint8_t, 5>, 16> Digits = {{
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7},
    {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}, {2, 5, 7, 5, 5}, {6, 5, 6, 5, 6}, {3, 4, 4, 4, 3}, {6, 5, 5, 5, 6},
    {7, 4, 6, 4, 7}, {7, 4, 6, 4, 4},
}};

class Canvas {
public:
    Canvas(int width, int height, std::uint32_t ground) : image_{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), ground)} {}
    void put(int x, int y, std::uint32_t colour)
    {
        if (x >= 0 && y >= 0 && x < image_.width && y < image_.height)
            image_.argb[static_cast<std::size_t>(y * image_.width + x)] = colour;
    }
    void fill(int left, int top, int width, int height, std::uint32_t colour)
    {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                put(x, y, colour);
    }
    void frame(int left, int top, int width, int height, std::uint32_t colour)
    {
        fill(left, top, width, 1, colour);
        fill(left, top + height - 1, width, 1, colour);
        fill(left, top, 1, height, colour);
        fill(left + width - 1, top, 1, height, colour);
    }
    void digit(int left, int top, int value, std::uint32_t colour)
    {
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                if (Digits[static_cast<std::size_t>(value)][static_cast<std::size_t>(r)] & (4 >> c))
                    put(left + c, top + r, colour);
    }
    ui::PixelImage take() { return std::move(image_); }

private:
    ui::PixelImage image_;
};

} // namespace

ui::PixelImage fontGridPicture(const GameFont& font, int glyphs, int chosen)
{
    using namespace fontview;
    const int rows = (FontGlyphSlots + Columns - 1) / Columns;
    Canvas canvas(Columns * CellWidth + 1, rows * CellHeight + 1, Grid);
    for (int k = 0; k < FontGlyphSlots; ++k) {
        const int left = 1 + CellWidth * (k % Columns), top = 1 + CellHeight * (k / Columns);
        // Slots past the font's room show what the game would draw, on another ground.
        canvas.fill(left, top, CellWidth - 1, CellHeight - 1, k < glyphs ? Paper : Beyond);
        for (int y = 0; y < GlyphSize; ++y)
            for (int x = 0; x < GlyphSize; ++x)
                if (font.pixel(0x50 + k, x, y))
                    canvas.fill(left + x * GlyphScale, top + y * GlyphScale, GlyphScale, GlyphScale, Ink);
        const int byte = 0x50 + k;
        const int labelTop = top + GlyphSize * GlyphScale + 3;
        canvas.fill(left, labelTop - 2, CellWidth - 1, 1, Unused);
        canvas.digit(left + (CellWidth - 1) / 2 - 4, labelTop, byte >> 4, Label);
        canvas.digit(left + (CellWidth - 1) / 2, labelTop, byte & 0xF, Label);
    }
    if (chosen >= 0 && chosen < FontGlyphSlots) {
        const int left = CellWidth * (chosen % Columns), top = CellHeight * (chosen / Columns);
        canvas.frame(left, top, CellWidth + 1, CellHeight + 1, Chosen);
        canvas.frame(left + 1, top + 1, CellWidth - 1, CellHeight - 1, Chosen);
    }
    return canvas.take();
}

int glyphAtGridPixel(int x, int y)
{
    using namespace fontview;
    if (x < 1 || y < 1)
        return -1;
    const int column = (x - 1) / CellWidth, row = (y - 1) / CellHeight;
    const int k = row * Columns + column;
    return column < Columns && k < FontGlyphSlots ? k : -1;
}

ui::PixelImage largeGlyphPicture(const GlyphBits& glyph, int width)
{
    using namespace fontview;
    Canvas canvas(LargeSize, LargeSize, Grid);
    for (int y = 0; y < GlyphSize; ++y)
        for (int x = 0; x < GlyphSize; ++x)
            canvas.fill(1 + x * PixelSize, 1 + y * PixelSize, PixelSize - 1, PixelSize - 1,
                glyphPixel(glyph, x, y) ? Ink : x < width ? Paper : Beyond);
    if (width >= 0 && width <= GlyphSize)
        canvas.fill(width * PixelSize, 0, 1, LargeSize, WidthLine);
    return canvas.take();
}

} // namespace scrivlet
