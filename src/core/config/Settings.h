#pragma once
// What the program keeps between runs, one member a key of the settings file.
#include <cstdint>
#include <string>

struct Settings {
    std::string language = "en";   // "Language": the language code
    std::int32_t runCount = 0;     // "Rns": 0 until the first run has read the file
    bool showNewVersion = false;   // "ShowNewVersion": the update check is wanted
    int notationIndex = 0;         // "CBX_FormatCapture": -1 when no notation is chosen
    std::string hotkeyText;        // "HK_CAPTURE": empty means the default hotkey
    int sampleSide = 1;            // "SampleSize": the side of the square a capture averages, in device pixels
    std::string screenCastToken;   // "ScreenCastToken": the desktop's kept consent to a screen cast
};
