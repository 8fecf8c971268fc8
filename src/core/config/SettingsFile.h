#pragma once
// The settings file "HuebirdLite.ini": what a file sets, the default file and
// the file written at close.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/Settings.h"

// The values a settings file sets; a key it leaves out stays empty. When a key
// occurs more than once the last usable occurrence wins; a "Rns" or
// "CBX_FormatCapture" value that is not an integer is passed over.
struct TSettingsValues {
    std::optional<std::int32_t> RunCount;      // "Rns"
    std::optional<std::string> LanguageCode;   // "Language"
    std::optional<bool> ShowNewVersion;        // "ShowNewVersion"
    std::optional<std::int32_t> FormatIndex;   // "CBX_FormatCapture"
    std::optional<std::string> HotKeyText;     // "HK_CAPTURE"
    std::optional<std::int32_t> SampleSide;    // "SampleSize"
    std::optional<std::string> ScreenCastToken; // "ScreenCastToken": the desktop's kept consent to a screen cast
};

TSettingsValues ReadSettingsText(std::string_view text);
// The settings with what the text sets put over them.
void ApplySettingsText(std::string_view text, Settings& settings);

// A whole decimal number in the 32-bit range, with an optional sign.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

// The capture hotkey of a first run, and of a file whose hotkey is missing or unusable.
inline constexpr std::string_view kDefaultHotKeyText = "Alt+C";

// The nine lines of the file made on a first run.
std::string DefaultSettingsText();

// The ten lines written at close, each ended by CR LF; then a line for an
// averaged capture and one for a screen-cast token, where there is one
// (earlier versions pass over both).
std::string SettingsFileText(const Settings& settings);

// The run counter after a start; it stays at its largest value rather than
// turning negative.
std::int32_t NextRunCount(std::int32_t runCount);
