#pragma once
// Process-wide settings: names, versions, addresses and the paths of the
// settings file, the language file, the help page and the palettes folder.
#include <string>

#include "config/SettingsLocation.h"

struct TAppSettings {
    std::string AppDir;            // ends with the path separator
    std::string DataDir;           // holds language/, help/ and palettes/; ends with the separator
    SettingsMode Mode = SettingsMode::Portable;
    std::string AppName;
    std::string AppVersion;
    std::string AppFileVersion;
    std::string AppTitle;
    std::string WebSiteUrl;
    std::string DownloadPageFr;
    std::string DownloadPageEn;
    std::string UpdateUrlDigits;
    std::string IniFilePath;
    std::string PalettesDir;
    std::string LanguageCode;
    std::string LanguageFilePath;
    std::string HelpFilePath;
};

TAppSettings& AppSettings();

inline constexpr char PathSeparator = '/';

// The program's name on the desktop: desktop entry, icon, AppStream id.
inline constexpr char kDesktopId[] = "com.example.HuebirdLite";

// Fills every value from the executable's full path, everything beside the
// executable; looks at nothing else.
void InitAppSettings(const std::string& executablePath);
// Moves the settings file and the data folders to where start-up found them.
void ApplySettingsLocation(TAppSettings& settings, const SettingsLocation& where);

// Paths that follow the language code.
std::string LanguageFilePathFor(const std::string& dataDir, const std::string& languageCode);
std::string HelpFilePathFor(const std::string& dataDir, const std::string& languageCode);

// The user's decimal separator, read once at start; tests may set it.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// The stored scrambled leading part of the update address (81 digits).
extern const char* const StoredUpdateUrlDigits;
