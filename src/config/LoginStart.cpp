#include "config/LoginStart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

#include "core/config/ProgramInfo.h"
#include "core/config/AutostartEntry.h"
#include "core/text/RegularFile.h"

LoginStart::LoginStart(QString autostartDir, QStringList command)
    : dir_(std::move(autostartDir)), command_(std::move(command))
{
}

QString LoginStart::userAutostartDir()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!config.startsWith('/'))
        config = QDir::homePath() + "/.config";
    return config + "/autostart";
}

QString LoginStart::entryPath() const { return dir_ + '/' + kDesktopId + ".desktop"; }

bool LoginStart::isEnabled() const
{
    QFile file(entryPath());
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    return AutostartEntryIsActive(std::string_view(text.constData(), std::size_t(text.size())));
}

bool LoginStart::setEnabled(bool enabled, QString* error)
{
    const QString path = entryPath();
    if (!enabled) {
        QFile file(path);
        if (!file.exists() || file.remove())
            return true;
        *error = path + ": " + file.errorString();
        return false;
    }
    std::vector<std::string> command;
    for (const QString& arg : command_)
        command.push_back(arg.toStdString());
    const std::optional<std::string> text = AutostartEntryText(command, kDesktopId);
    if (!text) {
        *error = command_.value(0) + ": a path that a desktop entry cannot hold";
        return false;
    }
    // A folder that cannot be made shows as the write's own error below.
    QDir().mkpath(dir_);
    const FileResult written = WriteRegularFile(path.toStdString(), *text);
    if (!written.ok()) {
        *error = path + ": " + QString::fromStdString(FileFaultText(written));
        return false;
    }
    return true;
}
