#include "config/AppSettings.h"

namespace {
char g_decimalSeparator = '.';
}

const char* const StoredUpdateUrlDigits =
    "833254376649349429642477021927041834252360573492502692472026924154775137371636338";

TAppSettings& AppSettings()
{
    static TAppSettings settings;
    return settings;
}

char DecimalSeparator() { return g_decimalSeparator; }
void SetDecimalSeparator(char separator) { g_decimalSeparator = separator; }

std::string LanguageFilePathFor(const std::string& dataDir, const std::string& languageCode)
{
    return dataDir + "language" + PathSeparator + "lang_" + languageCode + ".txt";
}

std::string HelpFilePathFor(const std::string& dataDir, const std::string& languageCode)
{
    return dataDir + "help" + PathSeparator + "help_" + languageCode + ".htm";
}

void InitAppSettings(const std::string& executablePath)
{
    TAppSettings& s = AppSettings();
    const auto cut = executablePath.find_last_of(PathSeparator);
    s.AppDir = cut == std::string::npos ? std::string(1, '.') + PathSeparator
                                        : executablePath.substr(0, cut + 1);
    s.AppName = "Huebird";
    s.AppVersion = "2.0";
    s.AppFileVersion = "2.0.2.1";
    s.AppTitle = s.AppName + " v." + s.AppVersion;
    s.WebSiteUrl = "http://huebird.example.com/";
    s.DownloadPageFr = s.WebSiteUrl + "FR/download-fr.php";
    s.DownloadPageEn = s.WebSiteUrl + "EN/download-en.php";
    s.UpdateUrlDigits = StoredUpdateUrlDigits;
    s.LanguageCode = "en";
    ApplySettingsLocation(s, {SettingsMode::Portable, s.AppDir + kSettingsFileName, s.AppDir});
}

void ApplySettingsLocation(TAppSettings& s, const SettingsLocation& where)
{
    s.Mode = where.mode;
    s.IniFilePath = where.settingsFile;
    s.DataDir = where.dataDir;
    s.PalettesDir = s.DataDir + "palettes" + PathSeparator;
    s.LanguageFilePath = LanguageFilePathFor(s.DataDir, s.LanguageCode);
    s.HelpFilePath = HelpFilePathFor(s.DataDir, s.LanguageCode);
}
