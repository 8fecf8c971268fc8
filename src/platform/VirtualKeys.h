#pragma once
// The keys a shortcut value can hold, by their virtual-key codes (the key
// part of the settings' shortcut value, and what Windows registers): one
// table between those codes and Qt's keys.
#include <QKeySequence>
#include <vector>

// Qt key of a virtual-key code, 0 when it has none; keypad keys carry
// Qt::KeypadModifier in keypadModifier.
int VirtualKeyToQtKey(unsigned virtualKey, Qt::KeyboardModifiers* keypadModifier = nullptr);
// 0 when the key has no virtual-key code.
unsigned VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Every virtual-key code of the table, in increasing order.
std::vector<unsigned> KnownVirtualKeys();
