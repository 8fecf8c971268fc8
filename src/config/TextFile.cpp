#include "config/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include "core/config/IniLines.h"
#include "core/text/RegularFile.h"

bool IsExistingFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

std::optional<std::string> ReadTextFile(const QString& path, QString* error)
{
    std::string bytes;
    const FileResult read = ReadRegularFile(QFile::encodeName(path).toStdString(), kMaxTextFileBytes, bytes);
    if (!read.ok()) {
        if (error)
            *error = QString::fromStdString(FileFaultText(read));
        return std::nullopt;
    }
    return DecodeTextFileBytes(bytes);
}

bool WriteTextFile(const QString& path, const std::string& text, QString* error)
{
    const FileResult written = WriteRegularFile(QFile::encodeName(path).toStdString(), text);
    if (!written.ok())
        *error = QString::fromStdString(FileFaultText(written));
    return written.ok();
}
