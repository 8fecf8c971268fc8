#pragma once
// The user's default language as a Windows language identifier (1036 is
// French (France)), the form the language detection works on.
#include <QLocale>
#include <cstdint>
#include <functional>

// The user's interface language (platform/UserEnvironment.h); a tests' source when one is set.
std::uint16_t GetUserDefaultLangID();

// The identifier of a locale's language and territory.
std::uint16_t LangIdFromLocale(const QLocale& locale);

// Tests put their own identifier in place; nullptr restores the system's.
using UserLangIdSource = std::function<std::uint16_t()>;
void SetUserLangIdSource(UserLangIdSource source);
