#pragma once
// The "Start at login" menu item bound to the session's autostart entry. Its
// check follows the entry, which the desktop may change too; toggling it
// writes or removes the entry, and a failure is told.
#include <QObject>
#include <QStringList>

#include "core/config/ProgramPaths.h"

class Prompts;
class QAction;
class Translations;

class LoginStartSwitch : public QObject {
    Q_OBJECT
public:
    // The entry starts the program with the settings file this run uses.
    LoginStartSwitch(QAction* item, const ProgramPaths& paths, Prompts& prompts, const Translations& translations,
                     QObject* parent = nullptr);

    // The check follows the entry.
    void refresh();
    // Writes or removes the entry as the item's check asks.
    void apply();

private:
    QAction* item_;
    QStringList command_;
    Prompts& prompts_;
    const Translations& translations_;
};
