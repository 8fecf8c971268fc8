#pragma once
// What the system says about the user: the language of its user interface
// and where a Windows user's roaming settings go.
#include <cstdint>
#include <string>

// The user's interface language as a Windows language identifier (1036 is
// French (France)): on Windows the system's own, elsewhere from the locale Qt
// reports (LC_ALL, LC_MESSAGES, LANG).
std::uint16_t UserUiLanguageId();

// The user's roaming application data folder (%APPDATA%) with '/' between
// its parts; empty outside Windows.
std::string RoamingAppDataDir();
