#pragma once
// Modal messages by kind: 0 information, 1 confirmation, 2 error, 3 warning;
// any other kind shows nothing.
#include <QString>
#include <functional>

enum TMessageKind : unsigned char { mkInformation = 0, mkConfirmation = 1, mkError = 2, mkWarning = 3 };

void ShowMessageDlg(unsigned char kind, const QString& text);

class QWidget;
// The window the program's dialogs and boxes belong to, so that they stay above
// and centred on it: the open modal dialog, else the main window.
QWidget* DialogParent();

// Tests replace the modal box with a recorder; nullptr restores the box.
using MessageDlgHook = std::function<void(unsigned char kind, const QString& text)>;
void SetMessageDlgHook(MessageDlgHook hook);

// The dialog's title for a kind; empty for a kind that shows nothing.
QString MessageDlgTitle(unsigned char kind);
