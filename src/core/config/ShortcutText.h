#pragma once
// The settings' shortcut value (virtual-key code in bits 0-12, 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt) and its text form ("Alt+C", "Maj+Ctrl+F5",
// "Suppr"); the program works in Qt's terms (config/ShortcutSetting.h). Texts
// are UTF-8, like the settings and language files they go to.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scKeyMask = 0x1FFF;

// Text form; empty when the key has no name, whatever the modifiers.
std::string ShortcutName(TShortCut shortcut);
// Reads the text form: prefixes "Maj+", "Ctrl+" or "^", "Alt+" in any order
// and any case; 0 when no key name matches.
TShortCut ShortcutFromName(std::string_view text);

// Name of a key outside the fixed French names (punctuation, keypad
// operators, ...), as the keyboard layout calls it; empty when it has none.
// The user interface plugs in the platform's key names; without a source such
// keys have no name.
using KeyNameSource = std::function<std::string(unsigned virtualKey)>;
void SetKeyNameSource(KeyNameSource source);

// The fixed name of a virtual-key code, empty for keys left to the layout.
std::string_view FixedKeyName(unsigned virtualKey);
