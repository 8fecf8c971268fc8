#pragma once
// Entry control for a key combination, shown in the shortcut text form. A
// combination needs Ctrl or Alt: a key alone or with Shift alone is refused
// and the control keeps its value. Backspace or Delete alone clears it;
// Escape and Tab alone keep their usual meaning in the dialog.
#include <QLineEdit>

#include "config/ShortcutSetting.h"

class HotkeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit HotkeyEdit(QWidget* parent = nullptr);
    QKeyCombination shortcut() const { return shortcut_; }
    void setShortcut(QKeyCombination shortcut);

    static bool isValidCombination(QKeyCombination shortcut);
    // Shows the shortcut again in place of the modifiers held, when the rest
    // of their combination went elsewhere (the capture hotkey, grabbed by the desktop).
    void showShortcut();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QKeyCombination shortcut_ = kNoShortcut;
};
