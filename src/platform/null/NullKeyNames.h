#pragma once
#include "platform/KeyNames.h"

// Without an X server: printable keys are named by their character.
class NullKeyNames : public IKeyNames {
public:
    std::string KeySymName(std::uint32_t keySym) override { return Latin1KeyName(keySym); }
};
