#include "DesktopTestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#include <QScreen>
#include <QThread>
#include <QCoreApplication>

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

ColourPatch::ColourPatch(const QRect& rect, const QColor& color)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setGeometry(rect);
    show();
}

void ColourPatch::PointAt() const { MovePointer(geometry().center().x(), geometry().center().y()); }

RunningApp::RunningApp()
{
    const QString app = qEnvironmentVariable("HB_APP");
    const QString appDir = QFileInfo(app).path();
    QFile::copy(app, dir() + "huebird-lite");
    QFile::setPermissions(dir() + "huebird-lite", QFile::permissions(app));
    for (const char* sub : {"language", "help", "palettes"})
        CopyTree(appDir + "/" + sub, dir() + sub);
    writeFile("portable", {});
}

RunningApp::~RunningApp()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString RunningApp::dir() const { return dir_.path() + "/"; }

void RunningApp::writeFile(const QString& relative, const QByteArray& bytes) const
{
    QDir().mkpath(QFileInfo(dir() + relative).path());
    QFile f(dir() + relative);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray RunningApp::readFile(const QString& relative) const
{
    QFile f(dir() + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QProcessEnvironment RunningApp::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime_.path());
    env.insert("QT_QPA_PLATFORM", "xcb");
    return env;
}

bool RunningApp::start(const QStringList& extraEnv)
{
    QProcessEnvironment env = environment();
    for (const QString& kv : extraEnv) {
        const int eq = kv.indexOf('=');
        env.insert(kv.left(eq), kv.mid(eq + 1));
    }
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.start(dir() + "huebird-lite", {});
    return process_.waitForStarted(10000);
}

bool RunningApp::waitForMainWindow(int timeoutMs)
{
    const QString pid = QString::number(process_.processId());
    const bool found = WaitFor([&] {
        const QString ids = XDo({"search", "--all", "--onlyvisible", "--pid", pid, "--name", "^Huebird v"}).trimmed();
        if (ids.isEmpty())
            return false;
        windowId_ = ids.split('\n').first();
        return true;
    }, timeoutMs);
    if (!found)
        return false;
    // Geometry of the whole window; the client area lies below the menu bar.
    const QString geo = XDo({"getwindowgeometry", "--shell", windowId_});
    int x = 0, y = 0, w = 0, h = 0;
    for (const QString& line : geo.split('\n')) {
        if (line.startsWith("X=")) x = line.mid(2).toInt();
        if (line.startsWith("Y=")) y = line.mid(2).toInt();
        if (line.startsWith("WIDTH=")) w = line.mid(6).toInt();
        if (line.startsWith("HEIGHT=")) h = line.mid(7).toInt();
    }
    window_ = QRect(x, y, w, h);
    QThread::msleep(300);
    return true;
}

bool RunningApp::closeAndWait(int timeoutMs)
{
    if (!windowId_.isEmpty())
        CloseWindow(windowId_);
    return process_.waitForFinished(timeoutMs);
}

QString XDo(const QStringList& args, int* exitCode)
{
    QProcess p;
    p.start("xdotool", args);
    p.waitForFinished(10000);
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

void CloseWindow(const QString& windowId)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
        free(r);
        return a;
    };
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = xcb_window_t(windowId.toULong());
    ev.type = atom("WM_PROTOCOLS");
    ev.data.data32[0] = atom("WM_DELETE_WINDOW");
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, ev.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
    xcb_flush(c);
}

void MovePointer(int x, int y) { XDo({"mousemove", "--sync", QString::number(x), QString::number(y)}); }

void PressKeys(const QString& combination) { XDo({"key", "--clearmodifiers", combination}); }

QImage GrabScreen(const QRect& rect)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height()).toImage();
}

QRgb ScreenPixel(int x, int y) { return GrabScreen(QRect(x, y, 1, 1)).pixel(0, 0); }

bool WaitFor(const std::function<bool()>& predicate, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (predicate())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return predicate();
}

PrivateXServer::PrivateXServer(const QStringList& screens)
{
    // It tries display numbers until one is free and writes the one it took
    // once it accepts clients; its complaints about the others are noise.
    server_.setStandardErrorFile(QProcess::nullDevice());
    // No reset when the last client leaves: with two screens Xvfb 21 crashes there.
    server_.start("Xvfb", QStringList{"-displayfd", "1", "-nolisten", "tcp", "-noreset"} + screens);
    if (!server_.waitForStarted(10000))
        return;
    QByteArray number;
    WaitFor([&] {
        number += server_.readAllStandardOutput();
        return number.contains('\n') || server_.state() != QProcess::Running;
    }, 30000);
    if (number.contains('\n') && server_.state() == QProcess::Running)
        display_ = ":" + QString::fromLatin1(number.trimmed());
}

PrivateXServer::~PrivateXServer() { kill(); }

void PrivateXServer::kill()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.kill();
        server_.waitForFinished(10000);
    }
}

QString XDoOn(const QString& display, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start("xdotool", args);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}
