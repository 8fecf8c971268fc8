#pragma once
// The keys a shortcut can hold, by their virtual-key codes (the key part of a
// shortcut value): one table between those codes, Qt's keys and X keysyms.
#include <QKeySequence>
#include <cstdint>
#include <vector>

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
