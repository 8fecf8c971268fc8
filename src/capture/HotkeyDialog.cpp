#include "capture/HotkeyDialog.h"

#include "ui/WidgetHelpers.h"

HotkeyDialog::HotkeyDialog(TShortCut shortcut, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint
                          | Qt::WindowStaysOnTopHint)
{
    setObjectName("FormHotKey");
    setWindowTitle("Settings...");
    setFixedSize(187, 36);
    label_ = new QLabel("Hotkey:", this);
    label_->setObjectName("LabelHotKey");
    label_->setGeometry(29, 10, 38, 13);
    label_->setAttribute(Qt::WA_TranslucentBackground);
    edit_ = new HotkeyEdit(this);
    edit_->setObjectName("HK_CAPTURE");
    edit_->setGeometry(77, 6, 81, 19);
    edit_->setShortcut(shortcut);
}

void HotkeyDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    CentreOnScreen(*this);
}
