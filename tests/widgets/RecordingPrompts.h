#pragma once
// Prompts that never wait for a user: messages are recorded, dialogs and
// questions get the answers the test gives (by default: cancelled, no).
#include <QDialog>
#include <QUrl>
#include <functional>
#include <vector>

#include "ui/Prompts.h"

struct RecordedMessage {
    unsigned char kind;
    QString text;
};

class RecordingPrompts : public Prompts {
public:
    std::vector<RecordedMessage> messages;
    QList<QUrl> opened;
    std::function<QString(QWidget* parent, const FileDialogSetup& setup)> onFileDialog;
    std::function<bool(const QString& text)> onConfirmOverwrite;
    std::function<QString(const QString& folder)> onLanguageFile;
    // Acts on the dialog while it shows; it is closed afterwards.
    std::function<void(QDialog& dialog)> onDialog;
    // Runs dialogs in their own modal loop instead, as the program does.
    bool execDialogs = false;

    void message(unsigned char kind, const QString& text) override
    {
        if (kind <= mkWarning)
            messages.push_back({kind, text});
    }
    QString fileName(QWidget* parent, const FileDialogSetup& setup) override
    {
        return onFileDialog ? onFileDialog(parent, setup) : QString();
    }
    bool confirmOverwrite(const QString& text) override { return onConfirmOverwrite && onConfirmOverwrite(text); }
    QString languageFile(QWidget*, const QString& folder) override
    {
        return onLanguageFile ? onLanguageFile(folder) : QString();
    }
    void openUrl(const QUrl& url) override { opened.push_back(url); }
    void runDialog(QDialog& dialog) override
    {
        if (execDialogs) {
            dialog.exec();
            return;
        }
        dialog.setModal(true);
        dialog.show();
        if (onDialog)
            onDialog(dialog);
        dialog.close();
    }
};
