#pragma once
// System-wide hotkeys on X11: a passive grab of the combination on the root
// window, one grab for each state of the lock modifiers (NumLock, CapsLock),
// received through the application's native event filter.
#include <QAbstractNativeEventFilter>
#include <vector>
#include <xcb/xcb.h>

#include "platform/GlobalHotkey.h"
#include "core/platform/KeyRepeat.h"

class X11GlobalHotkey : public IGlobalHotkey, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    X11GlobalHotkey(xcb_connection_t* connection, xcb_window_t root);
    // The root window of the display's default screen (display: an Xlib Display*).
    static xcb_window_t DefaultRoot(void* display);
    ~X11GlobalHotkey() override;

    // Grabs every key code that produces the key's symbol; false, with nothing
    // left grabbed, when the server refuses any variant (another client holds
    // the combination) or the key is not on the keyboard.
    bool Register(int id, QKeyCombination combination) override;
    void Unregister(int id) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grab {
        xcb_keycode_t keyCode;
        std::uint16_t modifiers; // X modifier mask, lock bits excluded
    };
    struct Registration {
        int id;
        std::vector<Grab> grabs;
    };
    static const std::uint16_t kLockVariants[4];

    void Ungrab(const Grab& grab, int variants);
    const Registration* Match(xcb_keycode_t keyCode, std::uint16_t state) const;

    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::vector<Registration> registrations_;
    // A held key repeats its press: only the first press of a hold captures.
    KeyRepeatFilter repeats_;
};
