#pragma once
// The hotkey dialog: one entry control; every close applies what it shows.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <functional>

#include "capture/ShortcutText.h"

// Entry control for a key combination, shown in the shortcut text form. A
// combination needs Ctrl or Alt: a key alone or with Shift alone is refused
// and the control keeps its value. Backspace or Delete alone clears it;
// Escape and Tab alone keep their usual meaning in the dialog.
class THotKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit THotKeyEdit(QWidget* parent = nullptr);
    TShortCut ShortCut() const { return shortcut_; }
    void SetShortCut(TShortCut shortcut);

    static bool IsValidCombination(TShortCut shortcut);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowValue();
    TShortCut shortcut_ = 0;
};

class TFormHotKey : public QDialog {
    Q_OBJECT
public:
    explicit TFormHotKey(QWidget* parent = nullptr);
    QLabel* LabelHotKey = nullptr;
    THotKeyEdit* HK_CAPTURE = nullptr;

    void FormCreate();
    void FormClose();

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    bool centred_ = false;
};

// The start-up instance: carries the settings' hotkey to the main window.
extern TFormHotKey* FormHotKey;

// Shows a dialog opened from the menu; by default modally (exec). Tests set
// their own runner to act on the dialog and close it; nullptr restores exec.
using HotKeyDialogRunner = std::function<void(TFormHotKey& dialog)>;
void SetHotKeyDialogRunner(HotKeyDialogRunner runner);
void RunHotKeyDialog(TFormHotKey& dialog);
