#include "capture/HotkeyEdit.h"

#include <QKeyEvent>

#include "capture/ShortcutKeys.h"

namespace {

TShortCut ModifierBits(Qt::KeyboardModifiers modifiers)
{
    TShortCut bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= scShift;
    if (modifiers & Qt::ControlModifier) bits |= scCtrl;
    if (modifiers & Qt::AltModifier) bits |= scAlt;
    return bits;
}

// The modifier bit a modifier key stands for; 0 for other keys. The state
// reported with a modifier key's own press or release may or may not
// include it, depending on the platform.
TShortCut ModifierOfKey(int key)
{
    switch (key) {
    case Qt::Key_Shift: return scShift;
    case Qt::Key_Control: return scCtrl;
    case Qt::Key_Alt: return scAlt;
    default: return 0;
    }
}

bool IsModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
}

// "Ctrl+Alt+" while only modifiers are held, like the text form's prefixes.
QString ModifierPrefix(TShortCut bits)
{
    QString text;
    if (bits & scShift) text += "Maj+";
    if (bits & scCtrl) text += "Ctrl+";
    if (bits & scAlt) text += "Alt+";
    return text;
}

} // namespace

HotkeyEdit::HotkeyEdit(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

bool HotkeyEdit::isValidCombination(TShortCut shortcut)
{
    return (shortcut & scKeyMask) != 0 && (shortcut & (scCtrl | scAlt)) != 0;
}

void HotkeyEdit::setShortcut(TShortCut shortcut)
{
    shortcut_ = shortcut;
    showShortcut();
}

void HotkeyEdit::showShortcut()
{
    setText(QString::fromStdString(ShortcutName(shortcut_)));
}

void HotkeyEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const TShortCut bits = ModifierBits(mods);
    const bool plain = (mods & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
        event->ignore(); // the dialog closes or moves the focus
        return;
    }
    event->accept();
    if (plain && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        setShortcut(0);
        return;
    }
    if (IsModifierKey(key) || key == Qt::Key_unknown) {
        setText(ModifierPrefix(bits | ModifierOfKey(key)));
        return;
    }
    // Meta has no place in the shortcut value: such a combination is refused.
    if (mods & Qt::MetaModifier) {
        showShortcut();
        return;
    }
    const TShortCut combination = ShortCutFromQtKey(key, mods);
    if (isValidCombination(combination) && !ShortcutName(combination).empty())
        setShortcut(combination);
    else
        showShortcut();
}

void HotkeyEdit::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (IsModifierKey(event->key())) {
        const TShortCut held = ModifierBits(event->modifiers()) & ~ModifierOfKey(event->key());
        if (held)
            setText(ModifierPrefix(held));
        else
            showShortcut();
    }
}

void HotkeyEdit::focusOutEvent(QFocusEvent* event)
{
    showShortcut();
    QLineEdit::focusOutEvent(event);
}
