#pragma once
// A shortcut in Qt's terms and its text in the settings and the language files
// ("Alt+C", "Maj+Ctrl+F5", "Suppr"): Shift, Ctrl and Alt with a key the
// settings can name; keypad digits and operators carry Qt::KeypadModifier.
#include <QKeyCombination>
#include <memory>
#include <string>
#include <string_view>

// No shortcut: what an empty QKeySequence holds.
inline constexpr QKeyCombination kNoShortcut = QKeyCombination::fromCombined(0);

// The text form; empty for no shortcut or a key the settings cannot name.
std::string ShortcutText(QKeyCombination shortcut);
// Reads the text form; kNoShortcut when no key name matches.
QKeyCombination ShortcutFromText(std::string_view text);

// A key pressed with these modifiers as the settings can keep it: of the
// modifiers only Shift, Ctrl and Alt stay; kNoShortcut for a key they cannot hold.
QKeyCombination StorableShortcut(int qtKey, Qt::KeyboardModifiers modifiers);

class IKeyNames;

// Gives the texts the platform's names of keys outside the fixed names
// (punctuation, keypad operators), for as long as it lives (create it after
// the QGuiApplication).
class PlatformKeyNames {
public:
    PlatformKeyNames();
    ~PlatformKeyNames();
    PlatformKeyNames(const PlatformKeyNames&) = delete;
    PlatformKeyNames& operator=(const PlatformKeyNames&) = delete;

private:
    std::unique_ptr<IKeyNames> names_;
};
