#pragma once

#include <map>
#include <optional>
#include <string>

namespace scrivlet::ui {

// What the program remembers between runs (recent files, the window's
// place), in the platform's own store. A store that cannot be read or
// written is ignored: the program starts all the same, and `problem` says
// what went wrong for a note.
class Settings {
public:
    virtual ~Settings() = default;
    virtual std::optional<std::string> value(const std::string& key) const = 0;
    virtual void setValue(const std::string& key, const std::string& value) = 0;
    virtual void remove(const std::string& key) = 0;
    // Writes what was set to the store; false (and `problem` set) when it cannot.
    virtual bool save() = 0;
    virtual std::string problem() const { return {}; }
};

// Held in memory only: the tests' store, and the one used when none is given.
class MemorySettings : public Settings {
public:
    std::optional<std::string> value(const std::string& key) const override
    {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void setValue(const std::string& key, const std::string& value) override { values[key] = value; }
    void remove(const std::string& key) override { values.erase(key); }
    bool save() override
    {
        ++saves;
        return !failSaves;
    }
    std::string problem() const override { return failSaves ? "The settings could not be written." : readProblem; }

    std::map<std::string, std::string> values;
    int saves = 0;
    bool failSaves = false;   // a test's store that cannot be written
    std::string readProblem;  // a test's store that could not be read
};

} // namespace scrivlet::ui
