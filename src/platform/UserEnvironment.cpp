#include "platform/UserEnvironment.h"

#include <QLocale>

#include "platform/SystemLanguage.h"

std::uint16_t UserUiLanguageId()
{
    // Also for a locale that the C library has not generated.
    return LangIdFromLocale(QLocale::system());
}

std::string RoamingAppDataDir()
{
    return {};
}
