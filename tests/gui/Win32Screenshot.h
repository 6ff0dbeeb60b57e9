#pragma once

// Screenshots of the Win32 windows as PNG files, for a person to look at.

#include "rom/Crc32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace scrivlet::testing {

namespace png {

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift : {24, 16, 8, 0})
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline void chunk(std::vector<std::uint8_t>& out, const char* tag, const std::vector<std::uint8_t>& data)
{
    put32(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> tagged(tag, tag + 4);
    tagged.insert(tagged.end(), data.begin(), data.end());
    out.insert(out.end(), tagged.begin(), tagged.end());
    put32(out, crc32(tagged));
}

// RGB rows as a PNG, its image data in stored (uncompressed) deflate blocks.
inline std::vector<std::uint8_t> encode(int width, int height, const std::vector<std::uint8_t>& rgb)
{
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        raw.insert(raw.end(), rgb.begin() + y * width * 3, rgb.begin() + (y + 1) * width * 3);
    }
    std::vector<std::uint8_t> z{0x78, 0x01};
    for (std::size_t at = 0; at < raw.size() || at == 0;) {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        z.push_back(at + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
        at += n;
        if (n == 0)
            break;
    }
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, (b << 16) | a);
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    return out;
}

} // namespace png

// What the screen shows in `r`, as RGB rows.
inline std::vector<std::uint8_t> screenRgb(RECT r)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<std::uint8_t> rgb;
    if (width <= 0 || height <= 0)
        return rgb;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const int stride = (width * 3 + 3) & ~3;
    rgb.reserve(static_cast<std::size_t>(width * height * 3));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* bgr = static_cast<const std::uint8_t*>(bits) + y * stride + x * 3;
            rgb.insert(rgb.end(), {bgr[2], bgr[1], bgr[0]});
        }
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rgb;
}

// Saves what the screen shows of the window as NAME.png in SCRIVLET_SCREENSHOT_DIR
// (or "screenshots" in the current folder).
inline void saveScreenshot(HWND window, const char* name)
{
    // Painted, and given a moment to reach the display.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 200;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(20);
    }
    GdiFlush();
    // The whole window, its title bar and frame (drawn by wine on a display without a window manager) included.
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const std::vector<std::uint8_t> rgb = screenRgb(r);

    const char* folder = std::getenv("SCRIVLET_SCREENSHOT_DIR");
    const std::filesystem::path dir = folder && *folder ? folder : "screenshots";
    std::filesystem::create_directories(dir);
    const auto encoded = png::encode(width, height, rgb);
    std::ofstream out(dir / (std::string(name) + ".png"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(encoded.data()), static_cast<std::streamsize>(encoded.size()));
    EXPECT_TRUE(out.good()) << name;
}

} // namespace scrivlet::testing
