#pragma once
// Between shortcut values and Qt's key sequences, through the table of
// virtual keys (platform/VirtualKeys.h).
#include <QKeySequence>
#include <memory>

#include "core/capture/ShortcutText.h"

QKeySequence ShortCutToKeySequence(TShortCut shortcut);
// 0 when the key has no virtual-key code. The keypad modifier tells the
// keypad digits and operators from the main keys.
TShortCut ShortCutFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

class IKeyNames;

// Gives ShortcutName and ShortcutFromName the platform's key names for keys
// outside the fixed names, for as long as it lives (create it after the
// QGuiApplication).
class PlatformKeyNames {
public:
    PlatformKeyNames();
    ~PlatformKeyNames();
    PlatformKeyNames(const PlatformKeyNames&) = delete;
    PlatformKeyNames& operator=(const PlatformKeyNames&) = delete;

private:
    std::unique_ptr<IKeyNames> names_;
};
