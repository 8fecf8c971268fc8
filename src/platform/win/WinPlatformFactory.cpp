// The backends of a Windows build: the Windows ones on Qt's windows platform,
// the null ones on another (the minimal platform of a test).
#include <QGuiApplication>

#include "platform/AsyncScreenSampler.h"
#include "platform/GlobalHotkey.h"
#include "platform/KeyNames.h"
#include "platform/PlatformFactory.h"
#include "platform/ScreenSampler.h"
#include "platform/null/NullKeyNames.h"
#include "platform/null/NullPlatform.h"
#include "platform/win/WinGlobalHotkey.h"
#include "platform/win/WinPointerWarp.h"
#include "platform/win/WinScreenSampler.h"

namespace {
bool OnWindows()
{
    return qGuiApp && QGuiApplication::platformName() == QLatin1String("windows");
}
} // namespace

// The tick follows the pointer as on X11; pick mode reads the same screen.
PlatformBackends CreatePlatformBackends()
{
    PlatformBackends backends;
    backends.offers.session = SessionKind::Other;
    backends.chosen = ChooseCaptureBackends(backends.offers);
    backends.tickSampler = CreateScreenSampler();
    backends.stillScreens = CreateAsyncScreenSampler();
    backends.hotkey = CreateGlobalHotkey();
    if (OnWindows())
        backends.pointerWarp = std::make_unique<WinPointerWarp>();
    return backends;
}

std::unique_ptr<IScreenSampler> CreateScreenSampler()
{
    if (OnWindows())
        return std::make_unique<WinScreenSampler>();
    return std::make_unique<NullScreenSampler>();
}

std::unique_ptr<AsyncScreenSampler> CreateAsyncScreenSampler()
{
    return std::make_unique<ImmediateScreenSampler>(CreateScreenSampler());
}

std::unique_ptr<IGlobalHotkey> CreateGlobalHotkey()
{
    if (OnWindows())
        return std::make_unique<WinGlobalHotkey>();
    return std::make_unique<NullGlobalHotkey>();
}

// Keys outside the fixed names are named by their character.
std::unique_ptr<IKeyNames> CreateKeyNames()
{
    return std::make_unique<NullKeyNames>();
}
