#pragma once
// System-wide hotkeys: a key combination that reaches the program whichever
// application has the focus.
#include <QKeyCombination>
#include <QObject>
#include <memory>

class IGlobalHotkey : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~IGlobalHotkey() override = default;
    // Registers the combination (Shift, Control, Alt and a key; keypad keys
    // carry Qt::KeypadModifier) under the identifier; false when the system
    // refuses it. Where the answer comes later (a desktop portal), true means
    // asked, and a refusal arrives as RegistrationRefused.
    virtual bool Register(int id, QKeyCombination combination) = 0;
    virtual void Unregister(int id) = 0;

signals:
    void HotKeyPressed(int id);
    void RegistrationRefused(int id);
};

// The backend of the platform the program runs on, the null one elsewhere.
std::unique_ptr<IGlobalHotkey> CreateGlobalHotkey();
