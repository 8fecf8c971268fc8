#pragma once
// Windows language identifiers (1036 is French (France)), the form in which
// the program detects the user's language, for locales given by their codes.
#include <cstdint>
#include <string_view>

inline constexpr std::uint16_t kEnglishUnitedStatesLangId = 1033;

// The identifier of a locale given as an ISO 639 language code and an ISO 3166
// territory code ("fr", "CA" gives 3084). A territory the table lacks gives the
// language's main variant; a language it lacks gives 1033.
std::uint16_t WindowsLanguageId(std::string_view language, std::string_view territory);
