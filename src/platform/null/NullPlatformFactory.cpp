// The backends where the desktop offers none of ours: nothing sampled, no
// global hotkey, keys named by their character.
#include "platform/PlatformFactory.h"

#include "platform/KeyNames.h"
#include "platform/null/NullKeyNames.h"
#include "platform/null/NullPlatform.h"

PlatformBackends CreatePlatformBackends()
{
    PlatformBackends backends;
    backends.offers.session = SessionKind::Other;
    backends.chosen = ChooseCaptureBackends(backends.offers);
    backends.tickSampler = CreateScreenSampler();
    backends.hotkey = CreateGlobalHotkey();
    return backends;
}

std::unique_ptr<IScreenSampler> CreateScreenSampler()
{
    return std::make_unique<NullScreenSampler>();
}

std::unique_ptr<AsyncScreenSampler> CreateAsyncScreenSampler()
{
    return std::make_unique<ImmediateScreenSampler>(CreateScreenSampler());
}

std::unique_ptr<IGlobalHotkey> CreateGlobalHotkey()
{
    return std::make_unique<NullGlobalHotkey>();
}

std::unique_ptr<IKeyNames> CreateKeyNames()
{
    return std::make_unique<NullKeyNames>();
}
