#include "capture/ShortcutKeys.h"

namespace {

int QtKeyFromVirtualKey(unsigned vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return int(vk);
    if (vk >= 112 && vk <= 135)
        return Qt::Key_F1 + int(vk - 112);
    if (vk == 46)
        return Qt::Key_Delete;
    return 0;
}

unsigned VirtualKeyFromQtKey(int key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return unsigned(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + unsigned(key - Qt::Key_F1);
    if (key == Qt::Key_Delete)
        return 46;
    return 0;
}

} // namespace

QKeySequence ShortCutToKeySequence(TShortCut shortcut)
{
    const int key = QtKeyFromVirtualKey(shortcut & scKeyMask);
    if (key == 0)
        return {};
    int mods = 0;
    if (shortcut & scShift) mods |= Qt::SHIFT;
    if (shortcut & scCtrl) mods |= Qt::CTRL;
    if (shortcut & scAlt) mods |= Qt::ALT;
    return QKeySequence(key | mods);
}

TShortCut ShortCutFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const unsigned vk = VirtualKeyFromQtKey(qtKey);
    if (vk == 0)
        return 0;
    TShortCut sc = TShortCut(vk);
    if (modifiers & Qt::ShiftModifier) sc |= scShift;
    if (modifiers & Qt::ControlModifier) sc |= scCtrl;
    if (modifiers & Qt::AltModifier) sc |= scAlt;
    return sc;
}
