#pragma once
// What the main window needs from outside the program, handed to its
// constructor: the program passes the desktop's own, tests pass fakes.
#include <QLocale>
#include <memory>
#include <optional>
#include <string>

#include "core/config/ProgramPaths.h"
#include "http/HttpClient.h"
#include "platform/GlobalHotkey.h"
#include "platform/ScreenSampler.h"

class Prompts;

struct MainWindowServices {
    // Message boxes, file dialogs, questions and modal dialogs.
    Prompts& prompts;
    // Where the settings file and the data folders are.
    ProgramPaths paths;
    // The user's decimal separator: codes, ratios and messages are written with it.
    char decimalSeparator = '.';
    // The language of the user's desktop, which a first run speaks; empty: the desktop's own.
    std::optional<QLocale> userLanguage = {};
    // Empty: the desktop's own, as the desktop capture chooses it.
    std::unique_ptr<IScreenSampler> screenSampler = {};
    // Empty: the desktop's own.
    std::unique_ptr<IGlobalHotkey> globalHotkey = {};
    // The update service; empty: the address built into the program.
    std::string updateAddress = {};
    // How long the update check waits for the service, and how much it reads.
    HttpSettings updateHttp = {};
};
