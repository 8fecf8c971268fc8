#include "WidgetTestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "app/AppSettings.h"
#include "app/Messages.h"

namespace {
void CopyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + "/" + QDir(from).relativeFilePath(src);
        QDir().mkpath(QFileInfo(dst).path());
        QFile::copy(src, dst);
    }
}
} // namespace

TestAppDir::TestAppDir()
{
    const QString data = qEnvironmentVariable("HB_SOURCE_DIR") + "/data/";
    for (const char* sub : {"language", "help", "palettes"})
        CopyTree(data + sub, dir_.path() + "/" + sub);
}

QString TestAppDir::path() const { return dir_.path() + "/"; }

void TestAppDir::write(const QString& relative, const QByteArray& bytes) const
{
    QDir().mkpath(QFileInfo(file(relative)).path());
    QFile f(file(relative));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TestAppDir::read(const QString& relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

MessageRecorder::MessageRecorder()
{
    SetMessageDlgHook([this](unsigned char kind, const QString& text) { messages.push_back({kind, text}); });
}

MessageRecorder::~MessageRecorder() { SetMessageDlgHook(nullptr); }

void UseAppDir(const TestAppDir& dir)
{
    InitAppSettings((dir.path() + "huebird-lite").toStdString());
}
