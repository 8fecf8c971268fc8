#pragma once
// Every backend for the desktop the program runs on, chosen once from what
// the session offers (CaptureModes) and made once: one function per kind of
// session.
#include <memory>

#include "platform/AsyncScreenSampler.h"
#include "core/platform/CaptureModes.h"
#include "platform/DesktopServices.h"
#include "platform/GlobalHotkey.h"
#include "platform/PointerWarp.h"
#include "platform/ScreenSampler.h"

struct PlatformBackends {
    DesktopOffers offers;
    CaptureBackends chosen;
    // The tick's screen reader in the chosen mode (a null one where the tick
    // does not follow the pointer).
    std::unique_ptr<IScreenSampler> tickSampler;
    // The tick's reader where it is a screen cast (owned by tickSampler).
    ScreenCast* screenCast = nullptr;
    // Copies of the whole screens for pick mode; null where none can be had.
    std::unique_ptr<AsyncScreenSampler> stillScreens;
    // The desktop's own colour picker; null where it has none.
    std::unique_ptr<ColorPicker> picker;
    std::unique_ptr<IGlobalHotkey> hotkey;
    // Pick mode's arrow keys move the real pointer; null where no program may.
    std::unique_ptr<IPointerWarp> pointerWarp;
};

// Looks at the session: on Wayland it asks the compositor and the desktop
// portals what they offer, which may take a moment.
PlatformBackends CreatePlatformBackends();
