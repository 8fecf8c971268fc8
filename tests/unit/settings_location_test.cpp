#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/config/ProgramPaths.h"
#include "core/config/SettingsLocation.h"

namespace {

struct Case {
    const char* what;
    std::string executable;
    std::string argument;
    std::map<std::string, std::string> environment;
    std::set<std::string> files;
    SettingsMode mode;
    std::string settingsFile;
    std::string dataDir;
    std::string roamingAppData = {}; // Windows
};

SettingsLocation Choose(const Case& c)
{
    SettingsLocationInputs in;
    in.executablePath = c.executable;
    in.configArgument = c.argument;
    in.workingDirectory = "/work/dir";
    in.home = "/home/u";
    in.installDataDir = "/usr/local/share/huebird-lite";
    in.roamingAppDataDir = c.roamingAppData;
    in.environment = [&](const char* name) {
        const auto it = c.environment.find(name);
        return it == c.environment.end() ? std::string() : it->second;
    };
    in.exists = [&](const std::string& path) { return c.files.count(path) > 0; };
    return ChooseSettingsLocation(in);
}

const std::string kLang = "language/lang_en.txt";

TEST(SettingsLocation, ChoosesTheModeAndItsPaths)
{
    using M = SettingsMode;
    const Case cases[] = {
        {"a settings file beside the program keeps it portable", "/opt/hb/huebird-lite", "", {},
         {"/opt/hb/HuebirdLite.ini", "/usr/share/huebird-lite/" + kLang}, M::Portable, "/opt/hb/HuebirdLite.ini",
         "/opt/hb/"},
        {"so does the marker, before the first settings are written", "/opt/hb/huebird-lite", "", {},
         {"/opt/hb/portable"}, M::Portable, "/opt/hb/HuebirdLite.ini", "/opt/hb/"},
        {"installed under a prefix: data found through ../share", "/usr/bin/huebird-lite", "", {},
         {"/usr/share/huebird-lite/" + kLang, "/usr/local/share/huebird-lite/" + kLang}, M::Installed,
         "/home/u/.config/huebird-lite/HuebirdLite.ini", "/usr/share/huebird-lite/"},
        {"an unpacked tree anywhere finds its own data", "/tmp/root/usr/bin/huebird-lite", "", {},
         {"/tmp/root/usr/share/huebird-lite/" + kLang, "/usr/share/huebird-lite/" + kLang}, M::Installed,
         "/home/u/.config/huebird-lite/HuebirdLite.ini", "/tmp/root/usr/share/huebird-lite/"},
        {"then the build's install prefix", "/somewhere/bin/huebird-lite", "", {},
         {"/usr/local/share/huebird-lite/" + kLang, "/usr/share/huebird-lite/" + kLang}, M::Installed,
         "/home/u/.config/huebird-lite/HuebirdLite.ini", "/usr/local/share/huebird-lite/"},
        {"then XDG_DATA_HOME, before XDG_DATA_DIRS", "/x/huebird-lite",
         "", {{"XDG_DATA_HOME", "/data/home"}, {"XDG_DATA_DIRS", "/d1:/d2"}},
         {"/data/home/huebird-lite/" + kLang, "/d1/huebird-lite/" + kLang}, M::Installed,
         "/home/u/.config/huebird-lite/HuebirdLite.ini", "/data/home/huebird-lite/"},
        {"XDG_DATA_DIRS in order, relative entries ignored", "/x/huebird-lite", "",
         {{"XDG_DATA_DIRS", "rel:/d1::/d2"}}, {"rel/huebird-lite/" + kLang, "/d2/huebird-lite/" + kLang},
         M::Installed, "/home/u/.config/huebird-lite/HuebirdLite.ini", "/d2/huebird-lite/"},
        {"XDG_DATA_HOME defaults to ~/.local/share", "/x/huebird-lite", "", {},
         {"/home/u/.local/share/huebird-lite/" + kLang}, M::Installed,
         "/home/u/.config/huebird-lite/HuebirdLite.ini", "/home/u/.local/share/huebird-lite/"},
        {"no data anywhere: the program's own share folder, reported missing later", "/usr/bin/huebird-lite", "",
         {}, {}, M::Installed, "/home/u/.config/huebird-lite/HuebirdLite.ini", "/usr/share/huebird-lite/"},
        {"XDG_CONFIG_HOME places the settings", "/usr/bin/huebird-lite", "", {{"XDG_CONFIG_HOME", "/cfg"}}, {},
         M::Installed, "/cfg/huebird-lite/HuebirdLite.ini", "/usr/share/huebird-lite/"},
        {"a relative XDG_CONFIG_HOME counts as unset", "/usr/bin/huebird-lite", "",
         {{"XDG_CONFIG_HOME", "cfg"}}, {}, M::Installed, "/home/u/.config/huebird-lite/HuebirdLite.ini",
         "/usr/share/huebird-lite/"},
        {"--config wins over the variable and the portable files", "/opt/hb/huebird-lite", "/tmp/a.ini",
         {{"HUEBIRD_CONFIG", "/tmp/b.ini"}}, {"/opt/hb/HuebirdLite.ini", "/opt/hb/" + kLang}, M::ConfigFile,
         "/tmp/a.ini", "/opt/hb/"},
        {"HUEBIRD_CONFIG, relative to the working folder; installed data", "/usr/bin/huebird-lite", "",
         {{"HUEBIRD_CONFIG", "../b.ini"}}, {"/usr/share/huebird-lite/" + kLang}, M::ConfigFile, "/work/b.ini",
         "/usr/share/huebird-lite/"},
        {"installed on Windows: settings in the roaming folder, data beside the program", "C:/Apps/HB/hb.exe", "",
         {{"XDG_CONFIG_HOME", "/cfg"}}, {"C:/Apps/HB/" + kLang}, M::Installed,
         "C:/Users/u/AppData/Roaming/Huebird Lite/HuebirdLite.ini", "C:/Apps/HB/",
         "C:/Users/u/AppData/Roaming"},
        {"a portable copy on Windows keeps everything beside the program", "C:/HB/hb.exe", "", {},
         {"C:/HB/portable"}, M::Portable, "C:/HB/HuebirdLite.ini", "C:/HB/", "C:/Users/u/AppData/Roaming"},
    };
    for (const Case& c : cases) {
        const SettingsLocation where = Choose(c);
        EXPECT_EQ(where.mode, c.mode) << c.what;
        EXPECT_EQ(where.settingsFile, c.settingsFile) << c.what;
        EXPECT_EQ(where.dataDir, c.dataDir) << c.what;
    }
}

TEST(ProgramPaths, EveryPathFollowsTheChosenDataFolder)
{
    const ProgramPaths paths = ProgramPathsAt(
        "/usr/bin/huebird-lite",
        {SettingsMode::Installed, "/h/.config/huebird-lite/HuebirdLite.ini", "/usr/share/huebird-lite/"});
    EXPECT_EQ(paths.executable, "/usr/bin/huebird-lite");
    EXPECT_EQ(paths.appDir, "/usr/bin/");
    EXPECT_EQ(paths.mode, SettingsMode::Installed);
    EXPECT_EQ(paths.settingsFile, "/h/.config/huebird-lite/HuebirdLite.ini");
    EXPECT_EQ(paths.dataDir, "/usr/share/huebird-lite/");
    EXPECT_EQ(paths.palettesDir, "/usr/share/huebird-lite/palettes/");
}

TEST(ProgramPaths, APortableCopyKeepsEverythingBesideTheExecutable)
{
    const ProgramPaths paths = PortableProgramPaths("/opt/Tools/huebird-lite");
    EXPECT_EQ(paths.appDir, "/opt/Tools/");
    EXPECT_EQ(paths.mode, SettingsMode::Portable);
    EXPECT_EQ(paths.settingsFile, "/opt/Tools/HuebirdLite.ini");
    EXPECT_EQ(paths.dataDir, "/opt/Tools/");
    EXPECT_EQ(paths.palettesDir, "/opt/Tools/palettes/");
    EXPECT_EQ(PortableProgramPaths("huebird-lite").settingsFile, "./HuebirdLite.ini");
}

} // namespace
