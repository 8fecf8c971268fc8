#include <QGuiApplication>

#include "platform/GlobalHotkey.h"
#include "platform/ScreenSampler.h"
#include "platform/null/NullPlatform.h"
#include "platform/x11/X11ScreenSampler.h"

std::unique_ptr<IScreenSampler> CreateScreenSampler()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return std::make_unique<X11ScreenSampler>();
    return std::make_unique<NullScreenSampler>();
}

std::unique_ptr<IGlobalHotkey> CreateGlobalHotkey()
{
    return std::make_unique<NullGlobalHotkey>();
}
