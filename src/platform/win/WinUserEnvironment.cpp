#include "platform/UserEnvironment.h"

#include <QDir>
#include <QString>

#include <windows.h>
#include <shlobj.h>

QLocale UserUiLanguage()
{
    // The language of the installed user interface, which may differ from
    // the formats the user chose (QLocale::system()).
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) == 0)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return QLocale(QString::fromWCharArray(name));
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
