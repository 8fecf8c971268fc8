#pragma once
// Which language file speaks the user's language, and the language a
// language file's name carries.
#include <string>
#include <string_view>

// The code of the language file for a language given by its ISO 639 code and
// its ISO 3166 territory or UN M49 area code ("fr", "CA" gives "fr"); "en" for
// a language without a file of its own.
std::string LanguageFileCodeFor(std::string_view language, std::string_view territory);

// The code a language file's name carries: "lang_fr.txt" gives "fr".
std::string LanguageCodeFromFileName(std::string_view fileName);
