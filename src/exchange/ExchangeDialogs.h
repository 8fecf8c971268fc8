#pragma once
// The modal dialogs of the list commands: the open and save file dialogs and
// the overwrite question. Tests replace them so that nothing waits for a user.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

struct TFileDialogSetup {
    bool save = false;
    QString directory;
    QStringList nameFilters;
    QString selectedNameFilter;
    QString fileName;      // proposed name; empty for none
    QString defaultSuffix; // added to a typed name without one; empty for none;
                           // follows the filter the user picks
    QString* chosenNameFilter = nullptr; // receives the filter selected at the end
};

// Returns the chosen full path, or an empty text when the user cancels.
using FileDialogRunner = std::function<QString(QWidget* parent, const TFileDialogSetup& setup)>;
// Returns true only when the user chooses "&Oui".
using ConfirmOverwriteRunner = std::function<bool(const QString& text)>;

// nullptr restores the real dialogs.
void SetFileDialogRunner(FileDialogRunner runner);
void SetConfirmOverwriteRunner(ConfirmOverwriteRunner runner);

QString RunFileDialog(QWidget* parent, const TFileDialogSetup& setup);
bool RunConfirmOverwrite(const QString& text);
