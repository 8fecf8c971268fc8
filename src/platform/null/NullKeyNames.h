#pragma once
#include "platform/KeyNames.h"

// Without the keyboard's own names: printable keys are named by their character.
class NullKeyNames : public IKeyNames {
public:
    std::string KeyName(QKeyCombination key) override
    {
        return key.keyboardModifiers().testFlag(Qt::KeypadModifier) ? std::string() : Latin1KeyName(key.key());
    }
};
