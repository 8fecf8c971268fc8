#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/platform/CaptureModes.h"

namespace {

struct Row {
    const char* desktop;
    DesktopOffers offers;
    CaptureBackends chosen;
};

constexpr auto X11 = SessionKind::X11;
constexpr auto Wl = SessionKind::Wayland;

const Row kRows[] = {
    // session, screen copy, screen cast with pointer, screenshot portal, shortcuts portal
    {"X11 ignores portals", {X11, false, true, true, true}, {CaptureMode::FollowX11, HotkeyBackend::X11}},
    {"sway", {Wl, true, false, true, false}, {CaptureMode::PickScreenCopy, HotkeyBackend::None}},
    {"Hyprland", {Wl, true, false, true, true}, {CaptureMode::PickScreenCopy, HotkeyBackend::Portal}},
    {"KDE Plasma", {Wl, false, true, true, true}, {CaptureMode::FollowScreenCast, HotkeyBackend::Portal}},
    {"GNOME 46", {Wl, false, true, true, false}, {CaptureMode::FollowScreenCast, HotkeyBackend::None}},
    {"wlroots with a cursor cast", {Wl, true, true, true, false}, {CaptureMode::FollowScreenCast, HotkeyBackend::None}},
    {"other Wayland desktop", {Wl, false, false, true, false}, {CaptureMode::PickColorPortal, HotkeyBackend::None}},
    {"no portals at all", {Wl, false, false, false, false}, {CaptureMode::None, HotkeyBackend::None}},
    {"offscreen", {SessionKind::Other, true, true, true, true}, {CaptureMode::None, HotkeyBackend::None}},
};

TEST(CaptureModes, EachDesktopGetsTheBestWayItOffers)
{
    for (const Row& row : kRows)
        EXPECT_EQ(ChooseCaptureBackends(row.offers), row.chosen) << row.desktop;
}

TEST(CaptureModes, ARefusedScreenCastFallsBackToTheNextWay)
{
    const DesktopOffers gnome{Wl, false, true, true, true};
    EXPECT_EQ(FallBackFrom(CaptureMode::FollowScreenCast, gnome).mode, CaptureMode::PickColorPortal);
    EXPECT_EQ(FallBackFrom(CaptureMode::FollowScreenCast, gnome).hotkey, HotkeyBackend::Portal);
    const DesktopOffers wlroots{Wl, true, true, true, false};
    EXPECT_EQ(FallBackFrom(CaptureMode::FollowScreenCast, wlroots).mode, CaptureMode::PickScreenCopy);
}

std::map<std::string, std::string> environment;
std::string Lookup(const char* name)
{
    const auto found = environment.find(name);
    return found == environment.end() ? std::string() : found->second;
}

TEST(CaptureModes, WaylandSessionsRunNativelyUnlessTheUserChose)
{
    const struct {
        std::map<std::string, std::string> env;
        std::optional<std::string> platform;
    } cases[] = {
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, "wayland;xcb"},
        {{{"WAYLAND_DISPLAY", "wayland-1"}, {"DISPLAY", ":0"}}, "wayland;xcb"},
        {{{"XDG_SESSION_TYPE", "tty"}, {"WAYLAND_DISPLAY", "wayland-1"}}, "wayland;xcb"},
        {{{"XDG_SESSION_TYPE", "x11"}, {"WAYLAND_DISPLAY", "wayland-1"}, {"DISPLAY", ":0"}}, std::nullopt},
        {{{"DISPLAY", ":0"}}, std::nullopt},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"QT_QPA_PLATFORM", "xcb"}}, std::nullopt},
    };
    for (const auto& c : cases) {
        environment = c.env;
        EXPECT_EQ(PreferredQtPlatform(Lookup), c.platform) << Lookup("XDG_SESSION_TYPE") << Lookup("WAYLAND_DISPLAY");
    }
}

} // namespace
