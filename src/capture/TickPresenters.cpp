#include "capture/TickPresenters.h"

#include <QGuiApplication>

#include "capture/x11/X11TickPresenter.h"
#include "platform/x11/X11ScreenSampler.h"
#include "ui/QtTickPresenter.h"

std::unique_ptr<TickPresenter> CreateTickPresenter(const TickWidgets& widgets, IScreenSampler& sampler)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb") && qgetenv("HUEBIRD_TICK_PRESENTER") != "qt")
        if (auto* x11 = dynamic_cast<X11ScreenSampler*>(&sampler))
            if (auto presenter = X11TickPresenter::create(widgets, x11->ownConnection()))
                return presenter;
    return std::make_unique<QtTickPresenter>(widgets);
}
