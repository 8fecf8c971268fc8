#include "WidgetTestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <ctime>

#include "../common/CopyTree.h"
#include "config/Translations.h"

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

ProgramPaths TestAppDir::paths() const { return PortableProgramPaths((path() + "huebird-lite").toStdString()); }

void UseLanguageLines(Translations& translations, const QByteArray& lines)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("lang_test.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lines) == lines.size());
    file.close();
    QVERIFY(translations.useLanguageFile(path));
}

ProgramPaths TestProgramPaths() { return PortableProgramPaths(QCoreApplication::applicationFilePath().toStdString()); }

namespace {
qint64 CpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}
} // namespace

void CpuClock::start() { startNs_ = CpuNs(); }

qint64 CpuClock::elapsed() const { return (CpuNs() - startNs_) / 1000000; }

qint64 CpuClock::restart()
{
    const qint64 now = CpuNs();
    const qint64 ms = (now - startNs_) / 1000000;
    startNs_ = now;
    return ms;
}
