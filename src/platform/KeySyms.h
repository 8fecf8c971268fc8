#pragma once
// X keysyms of Qt keys: what X11 grabs and the desktop portals name.
#include <QKeyCombination>
#include <cstdint>

// The keysym of the key part (the unshifted symbol of a US keyboard for
// punctuation; keypad keys, with Qt::KeypadModifier, by their keypad
// symbols); 0 when the key has none.
std::uint32_t KeySymOf(QKeyCombination combination);
