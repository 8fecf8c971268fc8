#pragma once
// The user's language: from the system's language identifier (a Windows
// language identifier such as 1036 for French (France)) to a language name and
// code.
#include <cstdint>
#include <string>
#include <string_view>

// The language detected from the identifier; "English" when no list holds it.
std::string GetUserLanguageName(std::uint16_t userLangId);
// The two-letter code of GetUserLanguageName ("fr").
std::string GetUserLanguageCode(std::uint16_t userLangId);
// "French" gives "fr"; a name outside the table gives the empty text.
std::string LanguageNameToCode(std::string_view languageName);

// The code a language file's name carries: "lang_fr.txt" gives "fr".
std::string LanguageCodeFromFileName(std::string_view fileName);
