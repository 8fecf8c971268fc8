#include "capture/ShortcutKeys.h"

#include "platform/KeyNames.h"
#include "platform/VirtualKeys.h"

QKeySequence ShortCutToKeySequence(TShortCut shortcut)
{
    Qt::KeyboardModifiers keypad;
    const int key = VirtualKeyToQtKey(shortcut & scKeyMask, &keypad);
    if (key == 0)
        return {};
    Qt::KeyboardModifiers mods = keypad;
    if (shortcut & scShift) mods |= Qt::ShiftModifier;
    if (shortcut & scCtrl) mods |= Qt::ControlModifier;
    if (shortcut & scAlt) mods |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(mods, Qt::Key(key)));
}

TShortCut ShortCutFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const unsigned vk = VirtualKeyFromQtKey(qtKey, modifiers);
    if (vk == 0)
        return 0;
    TShortCut sc = TShortCut(vk);
    if (modifiers & Qt::ShiftModifier) sc |= scShift;
    if (modifiers & Qt::ControlModifier) sc |= scCtrl;
    if (modifiers & Qt::AltModifier) sc |= scAlt;
    return sc;
}

PlatformKeyNames::PlatformKeyNames() : names_(CreateKeyNames())
{
    SetKeyNameSource([names = names_.get()](unsigned virtualKey) {
        Qt::KeyboardModifiers keypad;
        const int key = VirtualKeyToQtKey(virtualKey, &keypad);
        return key ? names->KeyName(QKeyCombination(keypad, Qt::Key(key))) : std::string();
    });
}

PlatformKeyNames::~PlatformKeyNames()
{
    SetKeyNameSource(nullptr);
}
