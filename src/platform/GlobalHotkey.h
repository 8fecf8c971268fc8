#pragma once
// System-wide hotkeys: a key combination that reaches the program whichever
// application has the focus.
#include <QObject>
#include <memory>

// Modifier flags of a registration.
inline constexpr unsigned MOD_ALT = 1;
inline constexpr unsigned MOD_CONTROL = 2;
inline constexpr unsigned MOD_SHIFT = 4;

class IGlobalHotkey : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~IGlobalHotkey() override = default;
    // Registers the combination under the identifier; false when the system refuses it.
    // Where the answer comes later (a desktop portal), true means asked, and a
    // refusal arrives as RegistrationRefused.
    virtual bool Register(int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual void Unregister(int id) = 0;

signals:
    void HotKeyPressed(int id);
    void RegistrationRefused(int id);
};

// The X11 implementation on the xcb platform, the null one elsewhere.
std::unique_ptr<IGlobalHotkey> CreateGlobalHotkey();
