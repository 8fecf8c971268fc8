#include "capture/TickPresenters.h"

#include "ui/QtTickPresenter.h"

// Without an X server the readouts are the widgets'.
std::unique_ptr<TickPresenter> CreateTickPresenter(const TickWidgets& widgets, IScreenSampler&)
{
    return std::make_unique<QtTickPresenter>(widgets);
}
