// The backends where the desktop offers none of ours: the pointer and the
// screen through Qt, no global hotkey, keys named by their character.
#include "platform/AsyncScreenSampler.h"
#include "platform/GlobalHotkey.h"
#include "platform/KeyNames.h"
#include "platform/ScreenSampler.h"
#include "platform/null/NullKeyNames.h"
#include "platform/null/NullPlatform.h"
#include "ui/QtTickPresenter.h"

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

std::unique_ptr<TickPresenter> CreateTickPresenter(const TickWidgets& widgets, IScreenSampler&)
{
    return std::make_unique<QtTickPresenter>(widgets);
}
