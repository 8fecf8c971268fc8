#include <QGuiApplication>

#include "platform/AsyncScreenSampler.h"
#include "platform/GlobalHotkey.h"
#include "platform/KeyNames.h"
#include "platform/ScreenSampler.h"
#include "platform/null/NullKeyNames.h"
#include "platform/null/NullPlatform.h"
#include "platform/x11/X11Connection.h"
#include "platform/wayland/WaylandScreenSampler.h"
#include "platform/x11/X11GlobalHotkey.h"
#include "platform/x11/X11KeyNames.h"
#include "platform/x11/X11ScreenSampler.h"

namespace {

QNativeInterface::QX11Application* X11Application()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && x11->connection() && x11->display() ? x11 : nullptr;
}

// "wayland", "wayland-egl", ...
bool OnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The compositor's screen copies where it offers them (wlroots compositors).
std::unique_ptr<WaylandScreenSampler> CreateWaylandScreenSampler()
{
    auto sampler = std::make_unique<WaylandScreenSampler>();
    return sampler->isAvailable() ? std::move(sampler) : nullptr;
}

} // namespace

std::unique_ptr<IScreenSampler> CreateScreenSampler()
{
    if (auto* x11 = X11Application()) {
        const int screen = X11ScreenSampler::ScreenNumber(x11->display());
        // Ticks on a connection of their own never wake Qt's reader thread.
        if (auto own = X11Connection::open(X11Connection::displayName(x11->display())))
            return std::make_unique<X11ScreenSampler>(std::move(own), screen);
        return std::make_unique<X11ScreenSampler>(x11->connection(), screen);
    }
    if (OnWayland())
        if (auto sampler = CreateWaylandScreenSampler())
            return sampler;
    return std::make_unique<NullScreenSampler>();
}

std::unique_ptr<AsyncScreenSampler> CreateAsyncScreenSampler()
{
    if (OnWayland())
        if (auto sampler = CreateWaylandScreenSampler())
            return sampler;
    return std::make_unique<ImmediateScreenSampler>(CreateScreenSampler());
}

std::unique_ptr<IGlobalHotkey> CreateGlobalHotkey()
{
    if (auto* x11 = X11Application())
        return std::make_unique<X11GlobalHotkey>(x11->connection(), X11GlobalHotkey::DefaultRoot(x11->display()));
    return std::make_unique<NullGlobalHotkey>();
}

std::unique_ptr<IKeyNames> CreateKeyNames()
{
    if (auto* x11 = X11Application())
        return std::make_unique<X11KeyNames>(x11->connection());
    return std::make_unique<NullKeyNames>();
}
