#include "platform/KeySyms.h"

#include <X11/keysym.h>

namespace {

std::uint32_t KeypadKeySym(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return XK_KP_0 + std::uint32_t(key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return XK_KP_Multiply;
    case Qt::Key_Plus: return XK_KP_Add;
    case Qt::Key_Minus: return XK_KP_Subtract;
    case Qt::Key_Period: return XK_KP_Decimal;
    case Qt::Key_Slash: return XK_KP_Divide;
    case Qt::Key_Enter: return XK_KP_Enter;
    default: return 0;
    }
}

std::uint32_t FunctionKeySym(int key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return XK_F1 + std::uint32_t(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return XK_BackSpace;
    case Qt::Key_Tab: return XK_Tab;
    case Qt::Key_Clear: return XK_Clear;
    case Qt::Key_Return: return XK_Return;
    case Qt::Key_Enter: return XK_Return;
    case Qt::Key_Pause: return XK_Pause;
    case Qt::Key_Escape: return XK_Escape;
    case Qt::Key_PageUp: return XK_Prior;
    case Qt::Key_PageDown: return XK_Next;
    case Qt::Key_End: return XK_End;
    case Qt::Key_Home: return XK_Home;
    case Qt::Key_Left: return XK_Left;
    case Qt::Key_Up: return XK_Up;
    case Qt::Key_Right: return XK_Right;
    case Qt::Key_Down: return XK_Down;
    case Qt::Key_Print: return XK_Print;
    case Qt::Key_Insert: return XK_Insert;
    case Qt::Key_Delete: return XK_Delete;
    case Qt::Key_Menu: return XK_Menu;
    case Qt::Key_ScrollLock: return XK_Scroll_Lock;
    default: return 0;
    }
}

} // namespace

std::uint32_t KeySymOf(QKeyCombination combination)
{
    const int key = combination.key();
    if (combination.keyboardModifiers().testFlag(Qt::KeypadModifier))
        if (std::uint32_t keySym = KeypadKeySym(key))
            return keySym;
    // Qt's keys of the printable Latin-1 characters are their codes, letters
    // in capitals; their keysyms are the same codes, letters in small letters.
    if ((key > 0x20 && key < 0x7F) || (key > 0xA0 && key <= 0xFF)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return std::uint32_t(key - Qt::Key_A) + XK_a;
        return std::uint32_t(key);
    }
    if (key == Qt::Key_Space)
        return XK_space;
    return FunctionKeySym(key);
}
