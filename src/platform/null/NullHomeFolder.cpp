#include "platform/HomeFolder.h"

#include <cstdlib>

// Without a password database: the profile folder the system names.
std::string HomeFolder()
{
    const char* profile = std::getenv("USERPROFILE");
    return profile ? profile : "";
}

void SettleHomeVariable() {}
