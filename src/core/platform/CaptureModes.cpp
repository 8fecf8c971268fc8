#include "core/platform/CaptureModes.h"

namespace {

CaptureMode WaylandMode(const DesktopOffers& offers)
{
    if (offers.screenCastCursor)
        return CaptureMode::FollowScreenCast;
    if (offers.screenCopy)
        return CaptureMode::PickScreenCopy;
    if (offers.screenshotPortal)
        return CaptureMode::PickColorPortal;
    return CaptureMode::None;
}

} // namespace

CaptureBackends ChooseCaptureBackends(const DesktopOffers& offers)
{
    switch (offers.session) {
    case SessionKind::X11:
        return {CaptureMode::FollowX11, HotkeyBackend::X11};
    case SessionKind::Wayland:
        return {WaylandMode(offers), offers.shortcutsPortal ? HotkeyBackend::Portal : HotkeyBackend::None};
    case SessionKind::Other:
        break;
    }
    return {};
}

CaptureBackends FallBackFrom(CaptureMode failed, const DesktopOffers& offers)
{
    DesktopOffers rest = offers;
    if (failed == CaptureMode::FollowScreenCast)
        rest.screenCastCursor = false;
    else if (failed == CaptureMode::PickScreenCopy)
        rest.screenCopy = false;
    else if (failed == CaptureMode::PickColorPortal)
        rest.screenshotPortal = false;
    return ChooseCaptureBackends(rest);
}

bool FollowsPointer(CaptureMode mode)
{
    return mode == CaptureMode::FollowX11 || mode == CaptureMode::FollowScreenCast;
}

std::optional<std::string> PreferredQtPlatform(EnvironmentLookup environment)
{
    if (!environment("QT_QPA_PLATFORM").empty())
        return std::nullopt;
    const std::string type = environment("XDG_SESSION_TYPE");
    // Sessions started from a console say "tty" and may still be Wayland ones.
    if (type == "wayland" || (type != "x11" && !environment("WAYLAND_DISPLAY").empty()))
        return "wayland;xcb";
    return std::nullopt;
}
