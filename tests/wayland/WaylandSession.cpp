#include "WaylandSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QThread>
#include <fcntl.h>
#include <unistd.h>

#include "DesktopTestSupport.h"
#include "platform/wayland/WaylandScreenSampler.h"

#include <QSignalSpy>

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

WaylandSession::WaylandSession(const QStringList& options)
{
    const QString script = qEnvironmentVariable("HB_SOURCE_DIR") + "/scripts/wayland-session.sh";
    QElapsedTimer clock;
    clock.start();
    script_.start("bash", QStringList{script, "--pointer", qEnvironmentVariable("HB_VIRTUAL_POINTER")} + options);
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

int WaylandSession::connectionsOf(qint64 pid) const
{
    // The process's sockets, by inode...
    QSet<QString> own;
    const QDir fds(QString("/proc/%1/fd").arg(pid));
    for (const QString& fd : fds.entryList(QDir::NoDotAndDotDot | QDir::System)) {
        const QString target = QFile::symLinkTarget(fds.filePath(fd));
        if (target.contains("socket:["))
            own.insert(target.section('[', 1).section(']', 0, 0));
    }
    // ... whose peers are the compositor's ends of its Wayland socket.
    QProcess ss;
    ss.start("ss", {"-x", "-H"});
    ss.waitForFinished(kPatientMs);
    const QString display = variables_.value("WAYLAND_DISPLAY");
    int count = 0;
    for (const QString& line : QString::fromUtf8(ss.readAllStandardOutput()).split('\n')) {
        const QStringList fields = line.simplified().split(' ');
        // u_str ESTAB recv send local-path local-inode peer-path peer-inode
        if (fields.size() >= 8 && fields[4] == display && own.contains(fields[7]))
            ++count;
    }
    return count;
}

QString WaylandSession::saveImage(const QString& name, const QImage& image) const
{
    const QString path = dir() + "/" + name;
    if (!image.save(path))
        return {};
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return path;
}

int WaylandSession::send(const RunningApp& app, const QString& option) const
{
    QProcessEnvironment env = app.environment();
    env.insert(variables_);
    env.insert("QT_QPA_PLATFORM", "");
    QProcess sender;
    sender.setProcessEnvironment(env);
    sender.start(qEnvironmentVariable("HB_APP"), {option});
    return sender.waitForFinished(kPatientMs) ? sender.exitCode() : -1;
}

namespace {
void CollectWindows(const QJsonObject& node, qint64 pid, QList<QJsonObject>& found)
{
    if (node.value("pid").toInteger() == pid)
        found.append(node);
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue& child : node.value(children).toArray())
            CollectWindows(child.toObject(), pid, found);
}
} // namespace

QList<QJsonObject> WaylandSession::windowsOf(qint64 pid) const
{
    QList<QJsonObject> found;
    CollectWindows(QJsonDocument::fromJson(swaymsg({"-t", "get_tree"})).object(), pid, found);
    return found;
}

QStringList WaylandSession::environment(const QStringList& extra) const
{
    QStringList env;
    for (const QString& key : variables_.keys())
        env << key + "=" + variables_.value(key);
    return env + extra;
}

bool WaylandSession::typeUntil(const QStringList& keys, const std::function<bool()>& arrived) const
{
    for (int attempt = 0; attempt < 5 && !arrived(); ++attempt) {
        QProcess wtype;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(variables_);
        wtype.setProcessEnvironment(env);
        wtype.start("wtype", QStringList{"-s", "300"} + keys);
        // The receiving client takes the new keyboard in while wtype runs.
        WaitFor([&] { return wtype.state() == QProcess::NotRunning; });
        WaitFor(arrived, 3000);
    }
    return arrived();
}

ProgramWindow::ProgramWindow(const WaylandSession& session, WaylandScreenSampler& screen, qint64 pid)
    : session_(session), screen_(screen), pid_(pid)
{
}

bool ProgramWindow::waitUntilPlaced()
{
    return WaitFor([&] {
        for (const QJsonObject& window : session_.windowsOf(pid_)) {
            if (!window.value("name").toString().startsWith("Huebird v"))
                continue;
            const QJsonObject r = window.value("rect").toObject();
            rect_ = QRect(r.value("x").toInt(), r.value("y").toInt(), r.value("width").toInt(),
                          r.value("height").toInt());
            return rect_.width() == 276;
        }
        return false;
    });
}

QPoint ProgramWindow::clientPoint(int x, int y) const
{
    // The client area is the window's bottom right 276 x 131 pixels.
    return rect_.bottomRight() + QPoint(1 - 276 + x, 1 - 131 + y);
}

QRgb ProgramWindow::pixel(QPoint logical) const
{
    QSignalSpy spy(&screen_, &AsyncScreenSampler::grabbed);
    screen_.requestGrab(screen_.pointerAt(logical), 0);
    return spy.wait(kPatientMs) ? spy.last().at(1).value<QImage>().pixel(0, 0) : 0;
}

bool ProgramWindow::waitForPixel(QPoint logical, const QColor& colour, int timeoutMs) const
{
    return WaitFor([&] { return SameColour(pixel(logical), colour, 0); }, timeoutMs);
}

bool ProgramWindow::close(QProcess& process) const
{
    // A request that reaches a window still being set up can go unanswered: asked again.
    return WaitFor([&] {
        session_.swaymsg({QString("[pid=%1] kill").arg(pid_)});
        return process.waitForFinished(2000);
    });
}
