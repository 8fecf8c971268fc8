#include "config/ShortcutSetting.h"

#include "core/config/ShortcutText.h"
#include "platform/KeyNames.h"
#include "platform/VirtualKeys.h"

namespace {

TShortCut StoredShortcut(QKeyCombination shortcut)
{
    const Qt::KeyboardModifiers modifiers = shortcut.keyboardModifiers();
    const unsigned key = VirtualKeyFromQtKey(shortcut.key(), modifiers);
    if (key == 0)
        return 0;
    TShortCut stored = TShortCut(key);
    if (modifiers & Qt::ShiftModifier) stored |= scShift;
    if (modifiers & Qt::ControlModifier) stored |= scCtrl;
    if (modifiers & Qt::AltModifier) stored |= scAlt;
    return stored;
}

QKeyCombination ShortcutOfStored(TShortCut stored)
{
    Qt::KeyboardModifiers modifiers;
    const int key = VirtualKeyToQtKey(stored & scKeyMask, &modifiers);
    if (key == 0)
        return kNoShortcut;
    if (stored & scShift) modifiers |= Qt::ShiftModifier;
    if (stored & scCtrl) modifiers |= Qt::ControlModifier;
    if (stored & scAlt) modifiers |= Qt::AltModifier;
    return QKeyCombination(modifiers, Qt::Key(key));
}

} // namespace

std::string ShortcutText(QKeyCombination shortcut)
{
    return ShortcutName(StoredShortcut(shortcut));
}

QKeyCombination ShortcutFromText(std::string_view text)
{
    return ShortcutOfStored(ShortcutFromName(text));
}

QKeyCombination StorableShortcut(int qtKey, Qt::KeyboardModifiers modifiers)
{
    return ShortcutOfStored(StoredShortcut(QKeyCombination(modifiers, Qt::Key(qtKey))));
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
