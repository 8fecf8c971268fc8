#include "core/config/SettingsLocation.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace {

namespace fs = std::filesystem;

// With '/' between the parts, also on Windows.
std::string Normal(const fs::path& path) { return path.lexically_normal().generic_string(); }

std::string AsDir(const fs::path& path)
{
    std::string dir = Normal(path);
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

// The XDG base-directory rules: a relative value counts as unset.
std::string XdgDir(const SettingsLocationInputs& in, const char* name, const char* fallbackUnderHome)
{
    const std::string value = in.environment(name);
    if (!value.empty() && value.front() == '/')
        return value;
    return Normal(fs::path(in.home) / fallbackUnderHome);
}

std::vector<std::string> XdgDirList(const SettingsLocationInputs& in, const char* name, std::string_view fallback)
{
    std::string value = in.environment(name);
    if (value.empty())
        value = fallback;
    std::vector<std::string> dirs;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find(':', start), value.size());
        const std::string entry = value.substr(start, end - start);
        if (!entry.empty() && entry.front() == '/')
            dirs.push_back(entry);
        start = end + 1;
    }
    return dirs;
}

bool HoldsData(const SettingsLocationInputs& in, const std::string& dir)
{
    return in.exists(dir + "language/lang_en.txt");
}

std::string FirstDataDir(const SettingsLocationInputs& in)
{
    const std::vector<std::string> candidates = InstalledDataCandidates(in);
    for (const std::string& dir : candidates)
        if (HoldsData(in, dir))
            return dir;
    // Nothing found: the files are reported missing where they are first needed.
    return candidates.front();
}

} // namespace

std::vector<std::string> InstalledDataCandidates(const SettingsLocationInputs& in)
{
    const fs::path exeDir = fs::path(in.executablePath).parent_path();
    std::vector<std::string> dirs{AsDir(exeDir / ".." / "share" / kSettingsFolderName)};
    if (!in.installDataDir.empty())
        dirs.push_back(AsDir(in.installDataDir));
    dirs.push_back(AsDir(fs::path(XdgDir(in, "XDG_DATA_HOME", ".local/share")) / kSettingsFolderName));
    for (const std::string& dir : XdgDirList(in, "XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        dirs.push_back(AsDir(fs::path(dir) / kSettingsFolderName));
    // A folder listed twice is looked at once.
    std::vector<std::string> unique;
    for (const std::string& dir : dirs)
        if (std::find(unique.begin(), unique.end(), dir) == unique.end())
            unique.push_back(dir);
    return unique;
}

SettingsLocation ChooseSettingsLocation(const SettingsLocationInputs& in)
{
    const std::string exeDir = AsDir(fs::path(in.executablePath).parent_path());
    SettingsLocation where;

    std::string named = in.configArgument;
    if (named.empty())
        named = in.environment("HUEBIRD_CONFIG");
    if (!named.empty()) {
        where.mode = SettingsMode::ConfigFile;
        where.settingsFile = Normal(fs::path(in.workingDirectory) / named);
        where.dataDir = HoldsData(in, exeDir) ? exeDir : FirstDataDir(in);
        return where;
    }

    if (in.exists(exeDir + kSettingsFileName) || in.exists(exeDir + kPortableMarkerName)) {
        where.mode = SettingsMode::Portable;
        where.settingsFile = exeDir + kSettingsFileName;
        where.dataDir = exeDir;
        return where;
    }

    where.mode = SettingsMode::Installed;
    if (!in.roamingAppDataDir.empty()) {
        where.settingsFile = Normal(fs::path(in.roamingAppDataDir) / kWindowsSettingsFolderName / kSettingsFileName);
        where.dataDir = exeDir;
        return where;
    }
    where.settingsFile =
        Normal(fs::path(XdgDir(in, "XDG_CONFIG_HOME", ".config")) / kSettingsFolderName / kSettingsFileName);
    where.dataDir = FirstDataDir(in);
    return where;
}
