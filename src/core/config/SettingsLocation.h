#pragma once
// Where the settings file and the data folders (language/, help/, palettes/)
// live, chosen once at start:
//   1. a settings file named by --config FILE or HUEBIRD_CONFIG;
//   2. portable: HuebirdLite.ini or a "portable" marker beside the executable
//      keeps everything beside the executable;
//   3. installed: settings under ${XDG_CONFIG_HOME:-~/.config}/huebird-lite,
//      data from the first folder that holds language/lang_en.txt; on
//      Windows settings under %APPDATA%\Huebird Lite, data beside the
//      executable.
// Settings never move from one place to another: each mode reads only its own.
#include <functional>
#include <string>
#include <vector>

enum class SettingsMode { ConfigFile, Portable, Installed };

struct SettingsLocation {
    SettingsMode mode = SettingsMode::Portable;
    std::string settingsFile; // absolute
    std::string dataDir;      // ends with '/'
};

struct SettingsLocationInputs {
    std::string executablePath;  // absolute
    std::string configArgument;  // the --config value; empty when not given
    std::string workingDirectory; // relative settings file names start here
    std::string home;
    std::string installDataDir;  // the build's install prefix data folder
    std::string roamingAppDataDir; // Windows: %APPDATA%; empty elsewhere
    std::function<std::string(const char* name)> environment; // "" when unset
    std::function<bool(const std::string& path)> exists;
};

inline constexpr const char* kSettingsFileName = "HuebirdLite.ini";
inline constexpr const char* kPortableMarkerName = "portable";
inline constexpr const char* kSettingsFolderName = "huebird-lite";
inline constexpr const char* kWindowsSettingsFolderName = "Huebird Lite";

SettingsLocation ChooseSettingsLocation(const SettingsLocationInputs& in);

// The folders searched for data in the installed mode, in order.
std::vector<std::string> InstalledDataCandidates(const SettingsLocationInputs& in);
