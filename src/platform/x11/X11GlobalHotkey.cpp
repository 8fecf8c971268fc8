#include "platform/x11/X11GlobalHotkey.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdlib>
#include <memory>
#include <xcb/xcb_keysyms.h>

#include "platform/KeySyms.h"

// Last: Xlib's macros would clash with the headers above.
#include <X11/Xlib.h>

namespace {

// NumLock is Mod2 on every common X keyboard mapping.
constexpr std::uint16_t kNumLockMask = XCB_MOD_MASK_2;
constexpr std::uint16_t kLockMasks = XCB_MOD_MASK_LOCK | kNumLockMask;
constexpr std::uint16_t kModifierMasks = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL
    | XCB_MOD_MASK_1 | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 | XCB_MOD_MASK_4 | XCB_MOD_MASK_5;

std::uint16_t XModifiers(Qt::KeyboardModifiers modifiers)
{
    std::uint16_t mask = 0;
    if (modifiers & Qt::AltModifier) mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::ControlModifier) mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::ShiftModifier) mask |= XCB_MOD_MASK_SHIFT;
    return mask;
}

std::vector<xcb_keycode_t> KeyCodesOf(xcb_connection_t* connection, std::uint32_t keySym)
{
    std::vector<xcb_keycode_t> result;
    std::unique_ptr<xcb_key_symbols_t, void (*)(xcb_key_symbols_t*)> symbols(
        xcb_key_symbols_alloc(connection), xcb_key_symbols_free);
    if (!symbols)
        return result;
    std::unique_ptr<xcb_keycode_t, void (*)(void*)> codes(
        xcb_key_symbols_get_keycode(symbols.get(), keySym), std::free);
    for (const xcb_keycode_t* code = codes.get(); code && *code != XCB_NO_SYMBOL; ++code)
        result.push_back(*code);
    return result;
}

} // namespace

const std::uint16_t X11GlobalHotkey::kLockVariants[4] = {0, kNumLockMask, XCB_MOD_MASK_LOCK, kLockMasks};

xcb_window_t X11GlobalHotkey::DefaultRoot(void* display)
{
    return xcb_window_t(DefaultRootWindow(static_cast<Display*>(display)));
}

X11GlobalHotkey::X11GlobalHotkey(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection), root_(root)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalHotkey::~X11GlobalHotkey()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    while (!registrations_.empty())
        Unregister(registrations_.back().id);
}

void X11GlobalHotkey::Ungrab(const Grab& grab, int variants)
{
    for (int v = 0; v < variants; ++v)
        xcb_ungrab_key(connection_, grab.keyCode, root_, grab.modifiers | kLockVariants[v]);
}

bool X11GlobalHotkey::Register(int id, QKeyCombination combination)
{
    Unregister(id);
    const std::uint32_t keySym = KeySymOf(combination);
    if (keySym == 0)
        return false;
    const std::uint16_t mask = XModifiers(combination.keyboardModifiers());
    Registration registration{id, {}};
    for (xcb_keycode_t code : KeyCodesOf(connection_, keySym)) {
        // Our own grabs would silently replace each other; refuse like the server does for others.
        if (Match(code, mask))
            return false;
        registration.grabs.push_back({code, mask});
    }
    if (registration.grabs.empty())
        return false;

    for (std::size_t g = 0; g < registration.grabs.size(); ++g) {
        const Grab& grab = registration.grabs[g];
        xcb_void_cookie_t cookies[4];
        for (int v = 0; v < 4; ++v)
            cookies[v] = xcb_grab_key_checked(connection_, 0, root_, grab.modifiers | kLockVariants[v], grab.keyCode,
                                              XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        bool refused = false;
        bool granted[4] = {};
        for (int v = 0; v < 4; ++v) {
            std::unique_ptr<xcb_generic_error_t, void (*)(void*)> error(xcb_request_check(connection_, cookies[v]),
                                                                        std::free);
            granted[v] = !error;
            refused = refused || error;
        }
        if (refused) {
            for (int v = 0; v < 4; ++v)
                if (granted[v])
                    xcb_ungrab_key(connection_, grab.keyCode, root_, grab.modifiers | kLockVariants[v]);
            for (std::size_t done = 0; done < g; ++done)
                Ungrab(registration.grabs[done], 4);
            xcb_flush(connection_);
            return false;
        }
    }
    xcb_flush(connection_);
    registrations_.push_back(std::move(registration));
    return true;
}

void X11GlobalHotkey::Unregister(int id)
{
    for (auto it = registrations_.begin(); it != registrations_.end(); ++it) {
        if (it->id != id)
            continue;
        for (const Grab& grab : it->grabs)
            Ungrab(grab, 4);
        xcb_flush(connection_);
        registrations_.erase(it);
        repeats_.Reset();
        return;
    }
}

const X11GlobalHotkey::Registration* X11GlobalHotkey::Match(xcb_keycode_t keyCode, std::uint16_t state) const
{
    const std::uint16_t modifiers = state & kModifierMasks & ~kLockMasks;
    for (const Registration& registration : registrations_)
        for (const Grab& grab : registration.grabs)
            if (grab.keyCode == keyCode && grab.modifiers == modifiers)
                return &registration;
    return nullptr;
}

bool X11GlobalHotkey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_KEY_RELEASE) {
        auto* release = reinterpret_cast<xcb_key_release_event_t*>(event);
        repeats_.Release(release->detail, release->time);
        return false;
    }
    if (type != XCB_KEY_PRESS)
        return false;
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    // The filter also sees the program's own ordinary key presses: only the
    // grabbed key with exactly the grabbed modifiers counts.
    const Registration* registration = Match(press->detail, press->state);
    if (!registration)
        return false;
    if (repeats_.Press(press->detail, press->time)) {
        const int id = registration->id;
        // Queued: the capture runs from the event loop, not inside Qt's event dispatch.
        QMetaObject::invokeMethod(this, [this, id] { emit HotKeyPressed(id); }, Qt::QueuedConnection);
    }
    return true;
}
