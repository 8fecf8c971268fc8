#include "capture/HotkeyDialog.h"

#include <algorithm>

#include "ui/WidgetHelpers.h"

HotkeyDialog::HotkeyDialog(QKeyCombination shortcut, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint
                          | Qt::WindowStaysOnTopHint)
{
    setObjectName("FormHotKey");
    setWindowTitle("Settings...");
    setFixedSize(187, 36);
    label_ = new QLabel("Hotkey:", this);
    label_->setObjectName("LabelHotKey");
    // At least its place in the layout; wider where the desktop's font needs it.
    label_->setGeometry(29, 10, std::max(38, label_->sizeHint().width()), std::max(13, label_->sizeHint().height()));
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
