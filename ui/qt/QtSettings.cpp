#include "QtSettings.h"

namespace scrivlet::ui {

QtSettings::QtSettings() : store_(QSettings::IniFormat, QSettings::UserScope, "Scrivlet", "scrivlet") { checkRead(); }

QtSettings::QtSettings(const QString& file) : store_(file, QSettings::IniFormat) { checkRead(); }

void QtSettings::checkRead()
{
    if (store_.status() != QSettings::NoError) {
        problem_ = "The settings file " + store_.fileName().toStdString() + " could not be read; it is left as it is.";
        store_.clear(); // what was read of it is not trusted
    }
}

std::optional<std::string> QtSettings::value(const std::string& key) const
{
    const QString name = QString::fromStdString(key);
    if (!store_.contains(name))
        return std::nullopt;
    return store_.value(name).toString().toStdString();
}

void QtSettings::setValue(const std::string& key, const std::string& value)
{
    store_.setValue(QString::fromStdString(key), QString::fromStdString(value));
}

void QtSettings::remove(const std::string& key) { store_.remove(QString::fromStdString(key)); }

bool QtSettings::save()
{
    if (!problem_.empty())
        return false; // a file that could not be read is never overwritten
    store_.sync();
    if (store_.status() == QSettings::NoError)
        return true;
    problem_ = "The settings file " + store_.fileName().toStdString() + " could not be written; what was chosen is not remembered.";
    return false;
}

} // namespace scrivlet::ui
