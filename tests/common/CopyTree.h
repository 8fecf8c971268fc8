#pragma once
// Copies every file under a folder, keeping the layout beneath it.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

// False when a file could not be copied; the folders are made as needed.
inline bool CopyTree(const QString& from, const QString& to)
{
    bool ok = QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(source);
        ok = QDir().mkpath(QFileInfo(target).path()) && QFile::copy(source, target) && ok;
    }
    return ok;
}
