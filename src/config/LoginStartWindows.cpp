// "Start at login" on Windows: a value of the user's Run key in the registry,
// named after the program and holding its quoted command line.
#include "config/LoginStart.h"

#include <QDir>
#include <QSettings>

namespace {
const char* const kRunKey = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kValueName = "Huebird Lite";

QString CommandLine(const QStringList& command)
{
    QStringList quoted;
    for (const QString& arg : command)
        quoted << '"' + QDir::toNativeSeparators(arg) + '"';
    return quoted.join(' ');
}
} // namespace

LoginStart::LoginStart(QString autostartDir, QStringList command)
    : dir_(std::move(autostartDir)), command_(std::move(command))
{
}

QString LoginStart::userAutostartDir() { return QString::fromLatin1(kRunKey); }

QString LoginStart::entryPath() const { return dir_ + '\\' + kValueName; }

bool LoginStart::isEnabled() const
{
    QSettings run(dir_, QSettings::NativeFormat);
    return !run.value(kValueName).toString().isEmpty();
}

bool LoginStart::setEnabled(bool enabled, QString* error)
{
    QSettings run(dir_, QSettings::NativeFormat);
    if (enabled)
        run.setValue(kValueName, CommandLine(command_));
    else
        run.remove(kValueName);
    run.sync();
    if (run.status() == QSettings::NoError)
        return true;
    *error = entryPath() + ": the registry refused the change";
    return false;
}
