#pragma once
// The hotkey dialog: one entry control, opened on a shortcut. Every close
// keeps what it shows; the caller applies shortcut() afterwards.
#include <QDialog>
#include <QLabel>
#include <functional>

#include "capture/HotkeyEdit.h"

class HotkeyDialog : public QDialog {
    Q_OBJECT
public:
    explicit HotkeyDialog(TShortCut shortcut = 0, QWidget* parent = nullptr);
    TShortCut shortcut() const { return edit_->shortcut(); }
    QLabel* label() const { return label_; }
    HotkeyEdit* edit() const { return edit_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* label_ = nullptr;
    HotkeyEdit* edit_ = nullptr;
    bool centred_ = false;
};

// Shows a dialog opened from the menu; by default modally (exec). Tests set
// their own runner to act on the dialog and close it; nullptr restores exec.
using HotKeyDialogRunner = std::function<void(HotkeyDialog& dialog)>;
void SetHotKeyDialogRunner(HotKeyDialogRunner runner);
void RunHotKeyDialog(HotkeyDialog& dialog);
