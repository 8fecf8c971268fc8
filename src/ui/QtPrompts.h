#pragma once
// The prompts of the running program: Qt's message boxes and file dialogs,
// kept above and centred on the open modal dialog, else the main window.
#include "ui/Prompts.h"

class QtPrompts : public Prompts {
public:
    // From now on nothing shows and nothing waits for the user (the display is
    // gone, or the program must end now): messages go to standard error,
    // dialogs are not shown and file dialogs and questions answer "cancel".
    void stopShowing() { stopped_ = true; }

    void message(unsigned char kind, const QString& text) override;
    QString fileName(QWidget* parent, const FileDialogSetup& setup) override;
    bool confirmOverwrite(const QString& text) override;
    QString languageFile(QWidget* parent, const QString& folder) override;
    void openUrl(const QUrl& url) override;
    void runDialog(QDialog& dialog) override;

private:
    bool stopped_ = false;
};

// "txt" for "Text files (*.txt)"; empty for a filter without one plain extension.
QString FilterSuffix(const QString& filter);
