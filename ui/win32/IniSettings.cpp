#include "IniSettings.h"

#include "Text.h"

#include <windows.h>

#include <vector>

namespace scrivlet::ui::win32 {

namespace {

constexpr wchar_t Section[] = L"Scrivlet";

std::wstring defaultFile()
{
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    const std::wstring ours = std::wstring(folder) + L"\\Scrivlet";
    CreateDirectoryW(ours.c_str(), nullptr); // there already, or made now
    return ours + L"\\scrivlet.ini";
}

} // namespace

IniSettings::IniSettings() : IniSettings(defaultFile()) {}

IniSettings::IniSettings(std::wstring file) : file_(std::move(file)) { read(); }

void IniSettings::read()
{
    if (file_.empty()) {
        problem_ = "There is no folder for the settings (APPDATA is not set); nothing is remembered.";
        return;
    }
    if (GetFileAttributesW(file_.c_str()) == INVALID_FILE_ATTRIBUTES)
        return; // nothing remembered yet
    // The keys of our section, then each one's value.
    std::vector<wchar_t> keys(32768);
    const DWORD got = GetPrivateProfileStringW(Section, nullptr, L"", keys.data(), static_cast<DWORD>(keys.size()), file_.c_str());
    for (DWORD at = 0; at < got && keys[at] != L'\0';) {
        const std::wstring key(&keys[at]);
        std::vector<wchar_t> value(32768);
        GetPrivateProfileStringW(Section, key.c_str(), L"", value.data(), static_cast<DWORD>(value.size()), file_.c_str());
        values[toUtf8(key)] = toUtf8(value.data());
        at += static_cast<DWORD>(key.size()) + 1;
    }
}

bool IniSettings::save()
{
    if (file_.empty())
        return false;
    // The whole section written anew: each key as it is now, the removed ones gone.
    if (!WritePrivateProfileStringW(Section, nullptr, nullptr, file_.c_str()) && GetFileAttributesW(file_.c_str()) != INVALID_FILE_ATTRIBUTES) {
        problem_ = "The settings file " + toUtf8(file_) + " could not be written; what was chosen is not remembered.";
        return false;
    }
    for (const auto& [key, value] : values)
        if (!WritePrivateProfileStringW(Section, fromUtf8(key).c_str(), fromUtf8(value).c_str(), file_.c_str())) {
            problem_ = "The settings file " + toUtf8(file_) + " could not be written; what was chosen is not remembered.";
            return false;
        }
    return true;
}

} // namespace scrivlet::ui::win32
