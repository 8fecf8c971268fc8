#include "core/config/ProgramPaths.h"

namespace {
std::string FolderOf(const std::string& executablePath)
{
    const auto cut = executablePath.find_last_of('/');
    return cut == std::string::npos ? std::string("./") : executablePath.substr(0, cut + 1);
}
} // namespace

ProgramPaths ProgramPathsAt(const std::string& executablePath, const SettingsLocation& where)
{
    ProgramPaths paths;
    paths.executable = executablePath;
    paths.appDir = FolderOf(executablePath);
    paths.mode = where.mode;
    paths.settingsFile = where.settingsFile;
    paths.dataDir = where.dataDir;
    paths.palettesDir = where.dataDir + "palettes/";
    return paths;
}

ProgramPaths PortableProgramPaths(const std::string& executablePath)
{
    const std::string dir = FolderOf(executablePath);
    return ProgramPathsAt(executablePath, {SettingsMode::Portable, dir + kSettingsFileName, dir});
}
