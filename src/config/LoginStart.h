#pragma once
// "Start at login": the session's autostart entry for this program, written
// or removed on request. The hotkey only works while the program runs.
#include <QString>
#include <QStringList>

class LoginStart {
public:
    // autostartDir: where the session looks for entries; command: the
    // absolute program and its arguments.
    LoginStart(QString autostartDir, QStringList command);

    // ${XDG_CONFIG_HOME:-~/.config}/autostart
    static QString userAutostartDir();

    QString entryPath() const;
    bool isEnabled() const;
    // On failure says why in `error` and leaves things as they were.
    bool setEnabled(bool enabled, QString* error);

private:
    QString dir_;
    QStringList command_;
};
