#include "capture/TickPresenters.h"

#include <QGuiApplication>

#include "ui/QtTickPresenter.h"
#ifndef _WIN32
#include "capture/x11/X11TickPresenter.h"
#include "platform/x11/X11ScreenSampler.h"
#endif

std::unique_ptr<TickPresenter> CreateTickPresenter(const TickWidgets& widgets, IScreenSampler& sampler)
{
#ifndef _WIN32 // X11 draws the tick's readouts on a thread of its own
    if (QGuiApplication::platformName() == QLatin1String("xcb") && qgetenv("HUEBIRD_TICK_PRESENTER") != "qt")
        if (auto* x11 = dynamic_cast<X11ScreenSampler*>(&sampler))
            if (auto presenter = X11TickPresenter::create(widgets, x11->ownConnection()))
                return presenter;
#endif
    return std::make_unique<QtTickPresenter>(widgets);
}
