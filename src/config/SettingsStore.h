#pragma once
// The settings file: read at start (made with the defaults on a first run),
// written whole at close. Everyone takes the settings from here.
#include <QString>

#include "core/config/Settings.h"
#include "core/config/SettingsLocation.h"

class Prompts;

class SettingsStore {
public:
    // Problems with the file are told through the prompts.
    SettingsStore(QString path, SettingsMode mode, Prompts& prompts);

    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    const QString& path() const { return path_; }

    // Reads the file, counting this run; a file that cannot be used is told
    // and the defaults stand in.
    void load();
    // Whether load() found a first run (the counter was 0).
    bool isFirstRun() const { return firstRun_; }
    // Only once load() has run: a save before would write the defaults over the file.
    bool isLoaded() const { return loaded_; }

    // Replaces the whole file; tells why it could not.
    bool save();

private:
    void prepareFolder() const;
    // The default file of a first run; why it could not be made, or empty.
    QString createDefaultFile() const;

    const QString path_;
    const SettingsMode mode_;
    Prompts& prompts_;
    Settings settings_;
    bool firstRun_ = false;
    bool loaded_ = false;
};
