#include "platform/SingleInstance.h"

// No guard: every start runs, and none listens for commands.
SingleInstance::SingleInstance(const std::string&, const std::string&) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Lock(const std::string&)
{
    return false;
}

std::string RuntimeDirectory()
{
    return {};
}
