// Windows keeps no HOME: the user's profile folder is the home folder, and
// Qt finds it itself.
#include "core/platform/HomeFolder.h"

#include <windows.h>

std::string HomeFolder()
{
    const wchar_t* profile = _wgetenv(L"USERPROFILE");
    if (!profile || !*profile)
        return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, profile, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return {};
    std::string home(std::size_t(bytes - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, profile, -1, home.data(), bytes, nullptr, nullptr);
    for (char& c : home)
        if (c == '\\')
            c = '/';
    return home;
}

void SettleHomeVariable() {}
