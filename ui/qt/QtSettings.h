#pragma once

#include "ui/Settings.h"

#include <QSettings>

namespace scrivlet::ui {

// The settings store of Qt: an INI file in the user's configuration folder
// (~/.config/Scrivlet/scrivlet.ini), or the file named.
class QtSettings : public Settings {
public:
    QtSettings();
    explicit QtSettings(const QString& file);
    std::optional<std::string> value(const std::string& key) const override;
    void setValue(const std::string& key, const std::string& value) override;
    void remove(const std::string& key) override;
    bool save() override;
    std::string problem() const override { return problem_; }

private:
    void checkRead();
    QSettings store_;
    std::string problem_;
};

} // namespace scrivlet::ui
