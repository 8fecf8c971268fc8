#include "capture/reFormHotKey.h"

#include <QKeyEvent>

#include "app/reMainForm.h"
#include "capture/ShortcutKeys.h"

TFormHotKey* FormHotKey = nullptr;

THotKeyEdit::THotKeyEdit(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
}

void THotKeyEdit::SetShortCut(TShortCut shortcut)
{
    shortcut_ = shortcut;
    setText(QString::fromStdString(ShortcutName(shortcut)));
}

void THotKeyEdit::keyPressEvent(QKeyEvent* event)
{
    SetShortCut(ShortCutFromQtKey(event->key(), event->modifiers()));
}

TFormHotKey::TFormHotKey(QWidget* parent) : QDialog(parent)
{
    setObjectName("FormHotKey");
    setWindowTitle("Settings...");
    setFixedSize(187, 36);
    LabelHotKey = new QLabel("Hotkey:", this);
    LabelHotKey->setObjectName("LabelHotKey");
    LabelHotKey->setGeometry(29, 10, 38, 13);
    HK_CAPTURE = new THotKeyEdit(this);
    HK_CAPTURE->setObjectName("HK_CAPTURE");
    HK_CAPTURE->setGeometry(77, 6, 81, 19);
    FormCreate();
}

void TFormHotKey::FormCreate()
{
    if (MainForm && MainForm->PopupCaptureColor)
        HK_CAPTURE->SetShortCut(MainForm->MenuShortCut(MainForm->PopupCaptureColor));
}

void TFormHotKey::FormClose()
{
    if (!MainForm)
        return;
    MainForm->UnregisterCaptureHotKey();
    MainForm->RegHotKey(HK_CAPTURE->ShortCut(), "HKey_CAPTURE");
    MainForm->SetMenuShortCut(MainForm->PopupCaptureColor, HK_CAPTURE->ShortCut());
    MainForm->ResetStatusBar();
}

void TFormHotKey::done(int result)
{
    FormClose();
    QDialog::done(result);
}
