#pragma once
// How the tick puts its readouts on the screen.
#include <memory>

#include "platform/ScreenSampler.h"
#include "ui/TickPresenter.h"

// The X server's shared memory, on the sampler's own connection, where the
// program runs on X11 (unless HUEBIRD_TICK_PRESENTER=qt); the widgets elsewhere.
std::unique_ptr<TickPresenter> CreateTickPresenter(const TickWidgets& widgets, IScreenSampler& sampler);
