#include "PngFile.h"

#ifdef SCRIVLET_HAVE_PNG
#include <png.h>
#endif

namespace scrivlet::cli {

#ifdef SCRIVLET_HAVE_PNG

namespace {

void appendToVector(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

} // namespace

bool canWritePng() { return true; }

std::optional<std::vector<std::uint8_t>> encodePng(const Picture& picture)
{
    if (picture.width <= 0 || picture.height <= 0)
        return std::nullopt;
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return std::nullopt;
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<std::size_t>(picture.width) * 3);
    // libpng reports its errors by a long jump back here; nothing below holds
    // an object with a destructor that the jump would skip.
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::nullopt;
    }
    png_set_write_fn(png, &out, appendToVector, noFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
        PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.at(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<png_byte>(p >> 16);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>(p >> 8);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(p);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::optional<Picture> decodePng(std::span<const std::uint8_t> bytes, long long maxPixels)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return std::nullopt;
    if (image.width == 0 || image.height == 0 || static_cast<long long>(image.width) * image.height > maxPixels) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGB; // transparency is composed over the background below
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    png_color white{255, 255, 255};
    if (!png_image_finish_read(&image, &white, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    Picture picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = 0xFF000000u | std::uint32_t{rgb[i * 3]} << 16 | std::uint32_t{rgb[i * 3 + 1]} << 8 | rgb[i * 3 + 2];
    return picture;
}

#else

bool canWritePng() { return false; }
std::optional<Picture> decodePng(std::span<const std::uint8_t>, long long) { return std::nullopt; }
std::optional<std::vector<std::uint8_t>> encodePng(const Picture&) { return std::nullopt; }

#endif

} // namespace scrivlet::cli
