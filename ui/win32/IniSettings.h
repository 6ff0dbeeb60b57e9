#pragma once

#include "ui/Settings.h"

#include <string>

namespace scrivlet::ui::win32 {

// The settings store on Windows: an INI file beside the user's application
// data (%APPDATA%\Scrivlet\scrivlet.ini), or the file named. Values are kept
// in memory and written whole by save().
class IniSettings : public MemorySettings {
public:
    IniSettings();
    explicit IniSettings(std::wstring file);
    bool save() override;
    std::string problem() const override { return problem_; }

private:
    void read();
    std::wstring file_;
    std::string problem_;
};

} // namespace scrivlet::ui::win32
