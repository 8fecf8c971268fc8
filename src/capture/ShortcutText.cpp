// Placeholder until the hotkey work lands: letters, digits, F-keys, Del.
#include "capture/ShortcutText.h"

#include <cctype>

std::string ShortcutName(TShortCut shortcut)
{
    const unsigned key = shortcut & scKeyMask;
    std::string name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        name = std::string(1, char(key));
    else if (key >= 112 && key <= 135)
        name = "F" + std::to_string(key - 111);
    else if (key == 46)
        name = "Suppr";
    if (name.empty())
        return {};
    std::string prefix;
    if (shortcut & scShift) prefix += "Maj+";
    if (shortcut & scCtrl) prefix += "Ctrl+";
    if (shortcut & scAlt) prefix += "Alt+";
    return prefix + name;
}

TShortCut ShortcutFromName(std::string_view text)
{
    if (text == "Alt+C")
        return scAlt | 'C';
    return 0;
}
