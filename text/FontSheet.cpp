#include "FontSheet.h"

#include "TextLines.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace scrivlet {

namespace {

bool darkerThanMiddleGrey(std::uint32_t argb)
{
    const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return r * 299 + g * 587 + b * 114 < 128 * 1000;
}

std::string hexByte(int b)
{
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", b & 0xFF);
    return hex;
}

} // namespace

Picture fontSheet(const GameFont& font, int glyphs)
{
    Picture picture;
    picture.width = sheet::width();
    picture.height = sheet::height(glyphs);
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height), sheet::Grid);
    for (int k = 0; k < glyphs; ++k) {
        const int left = 1 + sheet::Cell * (k % sheet::Columns), top = 1 + sheet::Cell * (k / sheet::Columns);
        for (int y = 0; y < GlyphSize; ++y)
            for (int x = 0; x < GlyphSize; ++x)
                picture.pixels[static_cast<std::size_t>((top + y) * picture.width + left + x)] =
                    font.pixel(0x50 + k, x, y) ? sheet::Ink : sheet::Paper;
    }
    return picture;
}

std::string fontWidthsText(const GameFont& font, int glyphs)
{
    std::string text;
    for (int k = 0; k < glyphs; ++k)
        text += hexByte(0x50 + k) + "\t" + std::to_string(font.widths[static_cast<std::size_t>(k)]) + "\n";
    return text;
}

SheetRead readFontSheet(const Picture& picture, int glyphs, GameFont font)
{
    SheetRead read;
    if (picture.width != sheet::width() || picture.height != sheet::height(glyphs)) {
        read.refusal = "The picture is " + std::to_string(picture.width) + " x " + std::to_string(picture.height)
            + " pixels; a sheet of " + std::to_string(glyphs) + " glyphs is " + std::to_string(sheet::width()) + " x "
            + std::to_string(sheet::height(glyphs)) + " (16 glyphs to a row, 17 pixels a cell and one more for the grid)";
        return read;
    }
    for (int k = 0; k < glyphs; ++k) {
        auto& glyph = font.glyphs[static_cast<std::size_t>(k)];
        const int left = 1 + sheet::Cell * (k % sheet::Columns), top = 1 + sheet::Cell * (k / sheet::Columns);
        for (int y = 0; y < GlyphSize; ++y)
            for (int x = 0; x < GlyphSize; ++x)
                setGlyphPixel(glyph, x, y, darkerThanMiddleGrey(picture.at(left + x, top + y)));
    }
    read.font = std::move(font);
    return read;
}

std::string readFontWidths(std::string_view text, int glyphs, GameFont& font)
{
    std::vector<int> lineOf(static_cast<std::size_t>(glyphs), 0);
    GameFont changed = font;
    std::string refusal;
    forEachLine(text, [&](int number, std::string_view line) {
        if (line.empty())
            return true;
        const std::string at = "line " + std::to_string(number) + ": ";
        const std::size_t tab = line.find('\t');
        const std::string_view hex = line.substr(0, tab), value = tab == std::string_view::npos ? "" : line.substr(tab + 1);
        const bool hexOk = hex.size() == 2 && std::isxdigit(static_cast<unsigned char>(hex[0])) && std::isxdigit(static_cast<unsigned char>(hex[1]));
        bool valueOk = !value.empty() && value.size() <= 3;
        for (char c : value)
            valueOk = valueOk && c >= '0' && c <= '9';
        if (tab == std::string_view::npos || !hexOk || !valueOk) {
            refusal = at + "\"" + std::string(line) + "\" is not a byte, a tab and a width, such as \"50\t4\"";
            return false;
        }
        const int byte = std::stoi(std::string(hex), nullptr, 16), glyph = byte - 0x50, width = std::stoi(std::string(value));
        if (glyph < 0 || glyph >= glyphs)
            refusal = at + "byte " + hexByte(byte) + " is not one of the font's " + std::to_string(glyphs) + " glyphs (50 to "
                + hexByte(0x50 + glyphs - 1) + ")";
        else if (width > 255)
            refusal = at + "the width " + std::string(value) + " is more than a byte holds";
        else if (lineOf[static_cast<std::size_t>(glyph)] != 0)
            refusal = at + "byte " + hexByte(byte) + " is given a second time (first on line "
                + std::to_string(lineOf[static_cast<std::size_t>(glyph)]) + ")";
        if (!refusal.empty())
            return false;
        lineOf[static_cast<std::size_t>(glyph)] = number;
        changed.widths[static_cast<std::size_t>(glyph)] = static_cast<std::uint8_t>(width);
        return true;
    });
    if (!refusal.empty())
        return refusal;
    for (int k = 0; k < glyphs; ++k)
        if (lineOf[static_cast<std::size_t>(k)] == 0)
            return "byte " + hexByte(0x50 + k) + " has no line; every glyph's width is given";
    font = changed;
    return {};
}

} // namespace scrivlet
