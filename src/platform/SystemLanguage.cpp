#include "platform/SystemLanguage.h"

#include "platform/LanguageIds.h"

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
    // On Linux this follows LC_ALL, LC_MESSAGES and LANG, also for a locale
    // that the C library has not generated.
    return LangIdFromLocale(QLocale::system());
}

void SetUserLangIdSource(UserLangIdSource source)
{
    Source() = std::move(source);
}
