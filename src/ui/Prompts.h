#pragma once
// What the program asks of the user and hands to the desktop: messages, file
// dialogs, questions, pages to open, modal dialogs. The program shows Qt's own
// (QtPrompts); tests answer with theirs, so nothing waits for a user.
#include <QString>
#include <QStringList>

class QDialog;
class QUrl;
class QWidget;

// Kinds of message: any other kind shows nothing.
enum MessageKind : unsigned char { mkInformation = 0, mkConfirmation = 1, mkError = 2, mkWarning = 3 };

// The title of a message kind; empty for a kind that shows nothing.
QString MessageTitle(unsigned char kind);

struct FileDialogSetup {
    bool save = false;
    QString directory;
    QStringList nameFilters;
    QString selectedNameFilter;
    QString fileName;      // proposed name; empty for none
    QString defaultSuffix; // added to a typed name without one; empty for none;
                           // follows the filter the user picks
    QString* chosenNameFilter = nullptr; // receives the filter selected at the end
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // A modal message with one "OK" button.
    virtual void message(unsigned char kind, const QString& text) = 0;
    // The chosen full path; empty when the user cancels.
    virtual QString fileName(QWidget* parent, const FileDialogSetup& setup) = 0;
    // True only when the user answers "&Oui".
    virtual bool confirmOverwrite(const QString& text) = 0;
    // The language file the user picks, starting in the folder; empty when cancelled.
    virtual QString languageFile(QWidget* parent, const QString& folder) = 0;
    // Opens a file or address with the desktop's default program; the outcome is not reported.
    virtual void openUrl(const QUrl& url) = 0;
    // Shows the dialog modally and returns once it is closed.
    virtual void runDialog(QDialog& dialog) = 0;
};
