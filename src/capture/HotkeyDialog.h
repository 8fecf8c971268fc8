#pragma once
// The hotkey dialog: one entry control, opened on a shortcut. Every close
// keeps what it shows; the caller applies shortcut() afterwards.
#include <QDialog>
#include <QLabel>

#include "capture/HotkeyEdit.h"

class HotkeyDialog : public QDialog {
    Q_OBJECT
public:
    explicit HotkeyDialog(QKeyCombination shortcut = kNoShortcut, QWidget* parent = nullptr);
    QKeyCombination shortcut() const { return edit_->shortcut(); }
    QLabel* label() const { return label_; }
    HotkeyEdit* edit() const { return edit_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* label_ = nullptr;
    HotkeyEdit* edit_ = nullptr;
    bool centred_ = false;
};

