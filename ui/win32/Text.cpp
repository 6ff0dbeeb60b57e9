#include "Text.h"

#include <windows.h>

namespace scrivlet::ui::win32 {

namespace {
constexpr wchar_t PictureOfNul = L'\u2400';
constexpr wchar_t PictureOfLineFeed = L'\u240A';
constexpr wchar_t PictureOfCarriageReturn = L'\u240D';

char latin1(wchar_t c) { return static_cast<char>(c < 0x100 ? c : L'?'); }
} // namespace

std::wstring fromLatin1(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        wide[i] = static_cast<unsigned char>(text[i]);
    return wide;
}

std::string toLatin1(const std::wstring& text)
{
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        bytes[i] = latin1(text[i]);
    return bytes;
}

std::wstring toDisplay(const std::string& text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            wide += L"\r\n";
            ++i;
        } else if (c == '\r') {
            wide += PictureOfCarriageReturn;
        } else if (c == '\n') {
            wide += PictureOfLineFeed;
        } else if (c == 0) {
            wide += PictureOfNul;
        } else {
            wide += static_cast<wchar_t>(c);
        }
    }
    return wide;
}

std::string fromDisplay(const std::wstring& text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            bytes += "\r\n";
            ++i;
        } else if (c == L'\r' || c == L'\n') {
            bytes += "\r\n"; // a break the platform made of one character is still a line break
        } else if (c == PictureOfCarriageReturn) {
            bytes += '\r';
        } else if (c == PictureOfLineFeed) {
            bytes += '\n';
        } else if (c == PictureOfNul) {
            bytes += '\0';
        } else {
            bytes += latin1(c);
        }
    }
    return bytes;
}

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

} // namespace scrivlet::ui::win32
