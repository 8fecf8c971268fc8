#pragma once
// The shortcut value (virtual-key code in bits 0-12, 0x2000 Shift, 0x4000
// Ctrl, 0x8000 Alt) and its text form ("Alt+C", "Maj+Ctrl+F5", "Suppr").
#include <cstdint>
#include <string>
#include <string_view>

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scKeyMask = 0x1FFF;

std::string ShortcutName(TShortCut shortcut);
TShortCut ShortcutFromName(std::string_view text);
