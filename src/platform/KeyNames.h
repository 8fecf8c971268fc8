#pragma once
// Names of keys as the keyboard layout calls them, for keys that have no fixed
// name in the shortcut text form (punctuation, keypad operators, ...).
#include <cstdint>
#include <memory>
#include <string>

class IKeyNames {
public:
    virtual ~IKeyNames() = default;
    // Name of the key that produces the X keysym in the current layout; empty
    // when the layout has no such key or the key has no name.
    virtual std::string KeySymName(std::uint32_t keySym) = 0;
};

// A printable Latin-1 keysym's character in capitals (UTF-8), or empty.
std::string Latin1KeyName(std::uint32_t keySym);

// The X keyboard's names on the xcb platform, the Latin-1 characters elsewhere.
std::unique_ptr<IKeyNames> CreateKeyNames();
