#include "Text.h"

#include "text/Utf8.h"

#include <windows.h>

namespace scrivlet::ui::win32 {

namespace {
constexpr wchar_t PictureOfNul = L'\u2400';
constexpr wchar_t PictureOfLineFeed = L'\u240A';
constexpr wchar_t PictureOfCarriageReturn = L'\u240D';
} // namespace

std::wstring fromUtf8(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string toUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring toDisplay(const std::string& text)
{
    std::wstring wide;
    wide.reserve(text.size());
    std::size_t runStart = 0;
    const auto flush = [&](std::size_t end) {
        if (end > runStart)
            wide += fromUtf8(text.substr(runStart, end - runStart));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n' && c != '\0')
            continue;
        flush(i);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            wide += L"\r\n";
            ++i;
        } else {
            wide += c == '\r' ? PictureOfCarriageReturn : c == '\n' ? PictureOfLineFeed : PictureOfNul;
        }
        runStart = i + 1;
    }
    flush(text.size());
    return wide;
}

std::string fromDisplay(const std::wstring& text)
{
    std::wstring program;
    program.reserve(text.size());
    std::string bytes;
    std::size_t runStart = 0;
    const auto flush = [&](std::size_t end) {
        if (end > runStart)
            bytes += toUtf8(text.substr(runStart, end - runStart));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c != L'\r' && c != L'\n' && c != PictureOfCarriageReturn && c != PictureOfLineFeed && c != PictureOfNul)
            continue;
        flush(i);
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            bytes += "\r\n";
            ++i;
        } else if (c == L'\r' || c == L'\n') {
            bytes += "\r\n"; // a break the platform made of one character is still a line break
        } else {
            bytes += c == PictureOfCarriageReturn ? '\r' : c == PictureOfLineFeed ? '\n' : '\0';
        }
        runStart = i + 1;
    }
    flush(text.size());
    return bytes;
}

int programPlace(const std::wstring& shown)
{
    int place = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const wchar_t c = shown[i];
        if (c == L'\r' && i + 1 < shown.size() && shown[i + 1] == L'\n')
            place += 2, ++i;
        else if (c == L'\r' || c == L'\n')
            place += 2;
        else if (c == PictureOfCarriageReturn || c == PictureOfLineFeed || c == PictureOfNul)
            place += 1;
        else if (c >= 0xD800 && c <= 0xDBFF)
            place += 4; // with its low half, which adds nothing
        else if (c >= 0xDC00 && c <= 0xDFFF)
            place += 0;
        else
            place += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
    }
    return place;
}

std::vector<long> richPlaces(const std::string& text)
{
    std::vector<long> at(text.size() + 1);
    long rich = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        long units = 1;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            length = 2; // one paragraph mark
        } else if (text[i] != '\r' && text[i] != '\n' && text[i] != '\0') {
            const Utf8Char c = utf8CharAt(text, i);
            length = c.length;
            units = c.valid && c.value >= 0x10000 ? 2 : 1;
        }
        for (std::size_t k = 0; k < length; ++k)
            at[i + k] = rich;
        rich += units;
        i += length;
    }
    at[text.size()] = rich;
    return at;
}

} // namespace scrivlet::ui::win32
