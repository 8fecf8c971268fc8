#pragma once
// Where this run's files are: the executable, the settings file and the data
// folders, chosen once at start and handed to whoever reads or writes them.
#include <string>

#include "core/config/SettingsLocation.h"

struct ProgramPaths {
    std::string executable;   // absolute
    std::string appDir;       // the executable's folder; ends with '/'
    SettingsMode mode = SettingsMode::Portable;
    std::string settingsFile; // absolute
    std::string dataDir;      // holds language/, help/ and palettes/; ends with '/'
    std::string palettesDir;  // ends with '/'
};

// The executable's folder and where start-up found the settings and the data.
ProgramPaths ProgramPathsAt(const std::string& executablePath, const SettingsLocation& where);
// Everything beside the executable, as a portable copy keeps it.
ProgramPaths PortableProgramPaths(const std::string& executablePath);
