#include "core/config/ShortcutText.h"

#include <array>

namespace {

KeyNameSource& LayoutKeyNames()
{
    static KeyNameSource source;
    return source;
}

constexpr std::array<std::string_view, 24> kFunctionKeyNames = {
    "F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",  "F9",  "F10", "F11", "F12",
    "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};

constexpr std::string_view kDigitsAndLetters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Highest code compared when reading a name back.
constexpr unsigned kLastNamedKey = 255;

std::string KeyName(unsigned key)
{
    if (std::string_view fixed = FixedKeyName(key); !fixed.empty())
        return std::string(fixed);
    const KeyNameSource& source = LayoutKeyNames();
    return source ? source(key) : std::string();
}

char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Case-insensitive for ASCII and for the accented capitals of Latin-1 in
// UTF-8 (C3 80-9E, except the multiplication sign), so "ENTRÉE" reads as
// "Entrée".
bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (i > 0 && static_cast<unsigned char>(a[i - 1]) == 0xC3 && static_cast<unsigned char>(b[i - 1]) == 0xC3) {
            if (x >= 0xA0 && x <= 0xBE && x != 0xB7) x = static_cast<unsigned char>(x - 0x20);
            if (y >= 0xA0 && y <= 0xBE && y != 0xB7) y = static_cast<unsigned char>(y - 0x20);
        } else {
            x = static_cast<unsigned char>(FoldAscii(char(x)));
            y = static_cast<unsigned char>(FoldAscii(char(y)));
        }
        if (x != y)
            return false;
    }
    return true;
}

bool TakePrefix(std::string_view& text, std::string_view prefix)
{
    if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

} // namespace

void SetKeyNameSource(KeyNameSource source)
{
    LayoutKeyNames() = std::move(source);
}

std::string_view FixedKeyName(unsigned key)
{
    switch (key) {
    case 8: return "RetArr";
    case 9: return "Tab";
    case 13: return "Entr\xC3\xA9" "e";
    case 27: return "Echap";
    case 32: return "Espace";
    case 33: return "PagePr\xC3\xA9" "c";
    case 34: return "PageSuiv";
    case 35: return "Fin";
    case 36: return "Origine";
    case 37: return "Gauche";
    case 38: return "Haut";
    case 39: return "Droite";
    case 40: return "Bas";
    case 45: return "Ins";
    case 46: return "Suppr";
    default: break;
    }
    if (key >= '0' && key <= '9')
        return kDigitsAndLetters.substr(key - '0', 1);
    if (key >= 'A' && key <= 'Z')
        return kDigitsAndLetters.substr(10 + key - 'A', 1);
    if (key >= 96 && key <= 105) // the keypad digits share the main digits' names
        return kDigitsAndLetters.substr(key - 96, 1);
    if (key >= 112 && key <= 135)
        return kFunctionKeyNames[key - 112];
    return {};
}

std::string ShortcutName(TShortCut shortcut)
{
    const std::string name = KeyName(shortcut & scKeyMask);
    if (name.empty())
        return {};
    std::string text;
    if (shortcut & scShift) text += "Maj+";
    if (shortcut & scCtrl) text += "Ctrl+";
    if (shortcut & scAlt) text += "Alt+";
    return text + name;
}

TShortCut ShortcutFromName(std::string_view text)
{
    TShortCut modifiers = 0;
    for (;;) {
        if (TakePrefix(text, "Maj+"))
            modifiers |= scShift;
        else if (TakePrefix(text, "^") || TakePrefix(text, "Ctrl+"))
            modifiers |= scCtrl;
        else if (TakePrefix(text, "Alt+"))
            modifiers |= scAlt;
        else
            break;
    }
    if (text.empty())
        return 0;
    // The fixed names first: they never collide with the layout's names, and
    // the layout is asked only for what they do not cover.
    for (unsigned key = 8; key <= kLastNamedKey; ++key)
        if (std::string_view fixed = FixedKeyName(key); !fixed.empty() && SameText(fixed, text))
            return TShortCut(modifiers | key);
    if (const KeyNameSource& source = LayoutKeyNames()) {
        for (unsigned key = 8; key <= kLastNamedKey; ++key) {
            if (!FixedKeyName(key).empty())
                continue;
            const std::string name = source(key);
            if (!name.empty() && SameText(name, text))
                return TShortCut(modifiers | key);
        }
    }
    return 0;
}
