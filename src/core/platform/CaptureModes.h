#pragma once
// Which way the program reads the screen and takes its hotkey on the desktop
// it runs on, decided from what the session offers. Plain data, so the
// decision is tested on a table.
#include <optional>
#include <string>
#include <string_view>

enum class SessionKind { X11, Wayland, Other };

// How colours reach the program.
enum class CaptureMode {
    FollowX11,        // the X server's pointer and root window, twenty times a second
    FollowScreenCast, // a screen-cast stream with the pointer's position (GNOME, KDE)
    PickScreenCopy,   // pick mode over the compositor's screen copies (wlroots)
    PickColorPortal,  // the desktop's own one-shot colour picker
    None,             // nothing can read the screen
};

enum class HotkeyBackend { X11, Portal, None };

// What the desktop offers, as probed at start.
struct DesktopOffers {
    SessionKind session = SessionKind::Other;
    bool screenCopy = false;       // zwlr_screencopy_manager_v1
    bool screenCastCursor = false; // ScreenCast portal with the pointer as metadata
    bool screenshotPortal = false; // Screenshot portal (PickColor)
    bool shortcutsPortal = false;  // GlobalShortcuts portal
};

struct CaptureBackends {
    CaptureMode mode = CaptureMode::None;
    HotkeyBackend hotkey = HotkeyBackend::None;
    friend bool operator==(const CaptureBackends&, const CaptureBackends&) = default;
};

CaptureBackends ChooseCaptureBackends(const DesktopOffers& offers);

// The mode to fall back to when the chosen one fails at run time (the user
// refuses the screen cast): the next one the desktop offers.
CaptureBackends FallBackFrom(CaptureMode failed, const DesktopOffers& offers);

// Whether the main window's tick follows the pointer in this mode; the
// others show what the last pick mode saw.
bool FollowsPointer(CaptureMode mode);

// The Qt platform to ask for, from the environment: a Wayland session runs
// natively (X through XWayland only when Wayland fails). Nothing when the
// user chose (QT_QPA_PLATFORM) or the session says nothing.
using EnvironmentLookup = std::string (*)(const char* name);
std::optional<std::string> PreferredQtPlatform(EnvironmentLookup environment);
