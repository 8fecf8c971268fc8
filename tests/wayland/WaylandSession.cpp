#include "WaylandSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <fcntl.h>
#include <unistd.h>

#include "DesktopTestSupport.h"

namespace {

// Longer than the session script's own waits for sway and the pointer.
constexpr int kStartTimeoutMs = 60000;

// The virtual pointer answers each command with a line: "ok" or "error ...".
QList<QByteArray> Answers(const QString& log)
{
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = f.readAll().split('\n');
    lines.removeAll(QByteArray());
    return lines;
}

} // namespace

WaylandSession::WaylandSession()
{
    const QString script = qEnvironmentVariable("HB_SOURCE_DIR") + "/scripts/wayland-session.sh";
    QElapsedTimer clock;
    clock.start();
    script_.start("bash", {script, "--pointer", qEnvironmentVariable("HB_VIRTUAL_POINTER")});
    if (!script_.waitForStarted(5000)) {
        failure_ = "bash did not start";
        return;
    }
    QByteArray out;
    while (!out.contains("\nready\n") && clock.elapsed() < kStartTimeoutMs
           && script_.state() == QProcess::Running) {
        script_.waitForReadyRead(200);
        out += script_.readAllStandardOutput();
    }
    for (const QByteArray& line : out.split('\n')) {
        if (!line.startsWith("export "))
            continue;
        const int eq = line.indexOf('=');
        variables_.insert(QString::fromUtf8(line.mid(7, eq - 7)), QString::fromUtf8(line.mid(eq + 1)));
    }
    startSeconds_ = clock.elapsed() / 1000.0;
    running_ = out.contains("\nready\n");
    if (!running_) {
        if (script_.state() == QProcess::Running)
            script_.terminate();
        script_.waitForFinished(10000);
        unavailable_ = script_.exitStatus() == QProcess::NormalExit && script_.exitCode() == 77;
        failure_ = QString::fromLocal8Bit(script_.readAllStandardError()).trimmed();
        if (failure_.isEmpty())
            failure_ = "no answer within " + QString::number(kStartTimeoutMs / 1000) + " s";
    }
}

WaylandSession::~WaylandSession()
{
    if (script_.state() == QProcess::NotRunning)
        return;
    // The end of its input stops the session.
    script_.closeWriteChannel();
    if (!script_.waitForFinished(15000)) {
        script_.terminate();
        if (!script_.waitForFinished(10000))
            script_.kill();
    }
    const QByteArray errors = script_.readAllStandardError();
    if (!errors.isEmpty())
        std::fprintf(stderr, "%s", errors.constData());
}

void WaylandSession::exportVariables() const
{
    for (const QString& key : variables_.keys())
        qputenv(key.toUtf8().constData(), variables_.value(key).toUtf8());
}

QByteArray WaylandSession::swaymsg(const QStringList& args, bool* ok) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(variables_);
    p.setProcessEnvironment(env);
    p.start("swaymsg", args);
    const bool finished = p.waitForFinished(kPatientMs);
    if (ok)
        *ok = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return p.readAllStandardOutput();
}

bool WaylandSession::pointer(const QByteArray& command) const
{
    const QString log = dir() + "/pointer.log";
    const qsizetype before = Answers(log).size();
    const int fd = ::open(QFile::encodeName(variables_.value("HB_POINTER_FIFO")).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const QByteArray line = command + '\n';
    const bool written = ::write(fd, line.constData(), std::size_t(line.size())) == line.size();
    ::close(fd);
    QElapsedTimer clock;
    clock.start();
    QList<QByteArray> answers = Answers(log);
    while (written && answers.size() == before && clock.elapsed() < kPatientMs) {
        QThread::msleep(5);
        answers = Answers(log);
    }
    return answers.size() > before && answers.last() == "ok";
}

QString WaylandSession::saveImage(const QString& name, const QImage& image) const
{
    const QString path = dir() + "/" + name;
    if (!image.save(path))
        return {};
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return path;
}
