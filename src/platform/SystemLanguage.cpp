#include "platform/SystemLanguage.h"

#include "core/platform/LanguageIds.h"
#include "platform/UserEnvironment.h"

namespace {
UserLangIdSource& Source()
{
    static UserLangIdSource source;
    return source;
}
} // namespace

std::uint16_t LangIdFromLocale(const QLocale& locale)
{
    const QString language = QLocale::languageToCode(locale.language());
    const QString territory = QLocale::territoryToCode(locale.territory());
    return WindowsLanguageId(language.toStdString(), territory.toStdString());
}

std::uint16_t GetUserDefaultLangID()
{
    if (Source())
        return Source()();
    return UserUiLanguageId();
}

void SetUserLangIdSource(UserLangIdSource source)
{
    Source() = std::move(source);
}
