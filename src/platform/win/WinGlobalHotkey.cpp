#include "platform/win/WinGlobalHotkey.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>

#include "platform/VirtualKeys.h"

#include <windows.h>

namespace {

UINT WindowsModifiers(Qt::KeyboardModifiers modifiers)
{
    UINT flags = MOD_NOREPEAT;
    if (modifiers & Qt::AltModifier) flags |= MOD_ALT;
    if (modifiers & Qt::ControlModifier) flags |= MOD_CONTROL;
    if (modifiers & Qt::ShiftModifier) flags |= MOD_SHIFT;
    return flags;
}

} // namespace

WinGlobalHotkey::WinGlobalHotkey()
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WinGlobalHotkey::~WinGlobalHotkey()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    while (!registered_.empty())
        Unregister(registered_.back());
}

bool WinGlobalHotkey::Register(int id, QKeyCombination combination)
{
    Unregister(id);
    const unsigned virtualKey = VirtualKeyFromQtKey(combination.key(), combination.keyboardModifiers());
    if (virtualKey == 0 || !RegisterHotKey(nullptr, id, WindowsModifiers(combination.keyboardModifiers()), virtualKey))
        return false;
    registered_.push_back(id);
    return true;
}

void WinGlobalHotkey::Unregister(int id)
{
    const auto it = std::find(registered_.begin(), registered_.end(), id);
    if (it == registered_.end())
        return;
    UnregisterHotKey(nullptr, id);
    registered_.erase(it);
}

bool WinGlobalHotkey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "windows_generic_MSG")
        return false;
    const MSG* msg = static_cast<const MSG*>(message);
    // Sent to the thread, not to a window: nobody else would take it.
    if (msg->message != WM_HOTKEY || msg->hwnd != nullptr)
        return false;
    const int id = int(msg->wParam);
    if (std::find(registered_.begin(), registered_.end(), id) == registered_.end())
        return false;
    // Queued: the capture runs from the event loop, not inside Qt's event dispatch.
    QMetaObject::invokeMethod(this, [this, id] { emit HotKeyPressed(id); }, Qt::QueuedConnection);
    return true;
}
