#include "capture/HotkeyEdit.h"

#include <QKeyEvent>


namespace {

// The modifiers a shortcut can hold.
Qt::KeyboardModifiers ShortcutModifiers(Qt::KeyboardModifiers modifiers)
{
    return modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

// The modifier a modifier key stands for; none for other keys. The state
// reported with a modifier key's own press or release may or may not
// include it, depending on the platform.
Qt::KeyboardModifiers ModifierOfKey(int key)
{
    switch (key) {
    case Qt::Key_Shift: return Qt::ShiftModifier;
    case Qt::Key_Control: return Qt::ControlModifier;
    case Qt::Key_Alt: return Qt::AltModifier;
    default: return Qt::NoModifier;
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
QString ModifierPrefix(Qt::KeyboardModifiers modifiers)
{
    QString text;
    if (modifiers & Qt::ShiftModifier) text += "Maj+";
    if (modifiers & Qt::ControlModifier) text += "Ctrl+";
    if (modifiers & Qt::AltModifier) text += "Alt+";
    return text;
}

} // namespace

HotkeyEdit::HotkeyEdit(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

bool HotkeyEdit::isValidCombination(QKeyCombination shortcut)
{
    return shortcut != kNoShortcut && (shortcut.keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

void HotkeyEdit::setShortcut(QKeyCombination shortcut)
{
    shortcut_ = shortcut;
    showShortcut();
}

void HotkeyEdit::showShortcut()
{
    setText(QString::fromStdString(ShortcutText(shortcut_)));
}

void HotkeyEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const Qt::KeyboardModifiers held = ShortcutModifiers(mods);
    const bool plain = (mods & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
        event->ignore(); // the dialog closes or moves the focus
        return;
    }
    event->accept();
    if (plain && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        setShortcut(kNoShortcut);
        return;
    }
    if (IsModifierKey(key) || key == Qt::Key_unknown) {
        setText(ModifierPrefix(held | ModifierOfKey(key)));
        return;
    }
    // Meta has no place in the settings' shortcut: such a combination is refused.
    if (mods & Qt::MetaModifier) {
        showShortcut();
        return;
    }
    const QKeyCombination combination = StorableShortcut(key, mods);
    if (isValidCombination(combination) && !ShortcutText(combination).empty())
        setShortcut(combination);
    else
        showShortcut();
}

void HotkeyEdit::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (IsModifierKey(event->key())) {
        const Qt::KeyboardModifiers held = ShortcutModifiers(event->modifiers()) & ~ModifierOfKey(event->key());
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
