#include "platform/UserEnvironment.h"

QLocale UserUiLanguage()
{
    // Also for a locale that the C library has not generated.
    return QLocale::system();
}

std::string RoamingAppDataDir()
{
    return {};
}
