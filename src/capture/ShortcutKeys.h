#pragma once
// Between shortcut values (virtual-key codes), Qt's keys and X keysyms: one
// table for every key a shortcut can hold.
#include <QKeySequence>
#include <cstdint>
#include <memory>
#include <vector>

#include "capture/ShortcutText.h"

QKeySequence ShortCutToKeySequence(TShortCut shortcut);
// 0 when the key has no virtual-key code. The keypad modifier tells the
// keypad digits and operators from the main keys.
TShortCut ShortCutFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Qt key of a virtual-key code, 0 when it has none; keypad keys carry
// Qt::KeypadModifier in keypadModifier.
int VirtualKeyToQtKey(unsigned virtualKey, Qt::KeyboardModifiers* keypadModifier = nullptr);
unsigned VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// X keysym of a virtual-key code (the unshifted symbol of a US keyboard for
// punctuation), 0 when it has none; and back.
std::uint32_t VirtualKeyToKeySym(unsigned virtualKey);
unsigned VirtualKeyFromKeySym(std::uint32_t keySym);

// Every virtual-key code of the table, in increasing order.
std::vector<unsigned> KnownVirtualKeys();

class IKeyNames;

// Gives ShortcutName and ShortcutFromName the platform's key names for keys
// outside the fixed names, for as long as it lives (create it after the
// QGuiApplication).
class TPlatformKeyNames {
public:
    TPlatformKeyNames();
    ~TPlatformKeyNames();
    TPlatformKeyNames(const TPlatformKeyNames&) = delete;
    TPlatformKeyNames& operator=(const TPlatformKeyNames&) = delete;

private:
    std::unique_ptr<IKeyNames> names_;
};
