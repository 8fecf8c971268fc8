#include <QGuiApplication>

#include "platform/GlobalHotkey.h"
#include "platform/ScreenSampler.h"
#include "platform/null/NullPlatform.h"

std::unique_ptr<IScreenSampler> CreateScreenSampler()
{
    return std::make_unique<NullScreenSampler>();
}

std::unique_ptr<IGlobalHotkey> CreateGlobalHotkey()
{
    return std::make_unique<NullGlobalHotkey>();
}
