#pragma once
// The hotkey dialog: one entry control; every close applies what it shows.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include "capture/ShortcutText.h"

// Entry control for a key combination, shown in the shortcut text form.
class THotKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit THotKeyEdit(QWidget* parent = nullptr);
    TShortCut ShortCut() const { return shortcut_; }
    void SetShortCut(TShortCut shortcut);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
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
};

// The start-up instance: carries the settings' hotkey to the main window.
extern TFormHotKey* FormHotKey;
