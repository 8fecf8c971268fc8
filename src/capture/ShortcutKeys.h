#pragma once
// Between shortcut values (virtual-key codes) and Qt's keys.
#include <QKeySequence>

#include "capture/ShortcutText.h"

QKeySequence ShortCutToKeySequence(TShortCut shortcut);
// 0 when the key has no virtual-key code.
TShortCut ShortCutFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
