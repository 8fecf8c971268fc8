#pragma once
// Names of keys as the keyboard layout calls them, for keys that have no fixed
// name in the shortcut text form (punctuation, keypad operators, ...).
#include <QKeyCombination>
#include <cstdint>
#include <memory>
#include <string>

class IKeyNames {
public:
    virtual ~IKeyNames() = default;
    // Name of the key in the current layout (UTF-8); empty when the layout
    // has no such key or the key has no name.
    virtual std::string KeyName(QKeyCombination key) = 0;
};

// The character in capitals (UTF-8) of a printable Latin-1 code (an X
// keysym or a Qt key), or empty.
std::string Latin1KeyName(std::uint32_t code);

// The X keyboard's names on the xcb platform, the Latin-1 characters elsewhere.
std::unique_ptr<IKeyNames> CreateKeyNames();
