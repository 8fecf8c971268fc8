#pragma once
// What the system says about the user: the language of its user interface
// and where a Windows user's roaming settings go.
#include <QLocale>
#include <string>

// The language of the user's interface: on Windows the system's own,
// elsewhere the locale Qt reports (LC_ALL, LC_MESSAGES, LANG).
QLocale UserUiLanguage();

// The user's roaming application data folder (%APPDATA%) with '/' between
// its parts; empty outside Windows.
std::string RoamingAppDataDir();
