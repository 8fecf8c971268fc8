#include "platform/PlatformFactory.h"

#include <QDBusConnection>
#include <QGuiApplication>

#include "platform/AsyncScreenSampler.h"
#include "platform/GlobalHotkey.h"
#include "platform/KeyNames.h"
#include "platform/ScreenSampler.h"
#include "platform/null/NullKeyNames.h"
#include "platform/null/NullPlatform.h"
#include "platform/portal/PortalGlobalHotkey.h"
#include "platform/portal/PortalScreenshot.h"
#include "platform/portal/ScreenCastSampler.h"
#include "platform/x11/X11Connection.h"
#include "platform/wayland/WaylandScreenSampler.h"
#include "platform/x11/X11GlobalHotkey.h"
#include "platform/x11/X11KeyNames.h"
#include "platform/x11/X11PointerWarp.h"
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

SessionKind SessionOfThisProcess()
{
    if (X11Application())
        return SessionKind::X11;
    if (OnWayland())
        return SessionKind::Wayland;
    return SessionKind::Other;
}

void CreateX11Backends(PlatformBackends& b)
{
    b.chosen = ChooseCaptureBackends(b.offers);
    b.tickSampler = CreateScreenSampler();
    // Pick mode works on X11 too, over Qt's copies of the screens.
    b.stillScreens = CreateAsyncScreenSampler();
    b.hotkey = CreateGlobalHotkey();
    if (auto* x11 = X11Application())
        b.pointerWarp = std::make_unique<X11PointerWarp>(x11->connection());
}

void CreateWaylandBackends(PlatformBackends& b)
{
    auto copies = std::make_unique<WaylandScreenSampler>();
    b.offers.screenCopy = copies->isAvailable();
    if (b.offers.screenCopy)
        b.stillScreens = std::move(copies);
    auto screenCast = std::make_unique<ScreenCastSampler>();
    b.offers.screenCastCursor = screenCast->Available();
    auto screenshot = std::make_unique<PortalScreenshot>(QDBusConnection::sessionBus());
    b.offers.screenshotPortal = screenshot->Available();
    if (b.offers.screenshotPortal)
        b.picker = std::move(screenshot);
    // A hotkey is the desktop's to give: through its portal, or refused where
    // there is none, so the user is told to bind the command.
    auto shortcuts = std::make_unique<PortalGlobalHotkey>();
    b.offers.shortcutsPortal = shortcuts->Available();
    b.hotkey = std::move(shortcuts);
    b.chosen = ChooseCaptureBackends(b.offers);
    if (b.chosen.mode == CaptureMode::FollowScreenCast) {
        b.screenCast = screenCast.get();
        b.tickSampler = std::move(screenCast);
    } else {
        // The tick does not follow the pointer: the magnifier shows what pick mode saw.
        b.tickSampler = std::make_unique<NullScreenSampler>();
    }
}

void CreateOtherBackends(PlatformBackends& b)
{
    b.chosen = ChooseCaptureBackends(b.offers);
    b.tickSampler = std::make_unique<NullScreenSampler>();
    b.hotkey = std::make_unique<NullGlobalHotkey>();
}

// The compositor's screen copies where it offers them (wlroots compositors).
std::unique_ptr<WaylandScreenSampler> CreateWaylandScreenSampler()
{
    auto sampler = std::make_unique<WaylandScreenSampler>();
    return sampler->isAvailable() ? std::move(sampler) : nullptr;
}

} // namespace

PlatformBackends CreatePlatformBackends()
{
    PlatformBackends backends;
    backends.offers.session = SessionOfThisProcess();
    switch (backends.offers.session) {
    case SessionKind::X11: CreateX11Backends(backends); break;
    case SessionKind::Wayland: CreateWaylandBackends(backends); break;
    case SessionKind::Other: CreateOtherBackends(backends); break;
    }
    return backends;
}

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
