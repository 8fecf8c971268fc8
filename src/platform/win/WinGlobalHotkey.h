#pragma once
// System-wide hotkeys on Windows: RegisterHotKey for the GUI thread (no
// window), whose WM_HOTKEY messages arrive through the application's native
// event filter. A combination another program holds is refused at once
// (ERROR_HOTKEY_ALREADY_REGISTERED).
#include <QAbstractNativeEventFilter>
#include <vector>

#include "platform/GlobalHotkey.h"

class WinGlobalHotkey : public IGlobalHotkey, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    WinGlobalHotkey();
    ~WinGlobalHotkey() override;

    // Held keys do not repeat the hotkey (MOD_NOREPEAT).
    bool Register(int id, QKeyCombination combination) override;
    void Unregister(int id) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::vector<int> registered_;
};
