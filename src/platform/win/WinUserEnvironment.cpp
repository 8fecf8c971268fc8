#include "platform/UserEnvironment.h"

#include <QDir>
#include <QString>

#include <windows.h>
#include <shlobj.h>

std::uint16_t UserUiLanguageId()
{
    return GetUserDefaultUILanguage();
}

std::string RoamingAppDataDir()
{
    PWSTR path = nullptr;
    std::string dir;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path)))
        dir = QDir::fromNativeSeparators(QString::fromWCharArray(path)).toStdString();
    CoTaskMemFree(path);
    return dir;
}
