#include "DesktopTestSupport.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include "../common/CopyTree.h"

namespace {

xcb_connection_t* Connection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootOf(xcb_connection_t* c, int screen = 0)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (; it.rem && screen > 0; --screen)
        xcb_screen_next(&it);
    return it.data->root;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Qt stamps its clipboard claims and requests with the last server time it
// has seen. The server ignores a claim older than the selection's last change
// (made by another client, or by the death of its owner), and a Qt owner
// answers an older request with nothing. A property change on a window of our
// own brings Qt a fresh time with its notification.
void RefreshServerTime()
{
    xcb_connection_t* c = Connection();
    static xcb_window_t window = XCB_NONE;
    if (window == XCB_NONE) {
        window = xcb_generate_id(c);
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(c, 0, window, RootOf(c), 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    }
    xcb_change_property(c, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // the notification is on its way
    QCoreApplication::processEvents();
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

bool ColourPatch::WaitUntilShown(int timeoutMs)
{
    const QColor color = palette().color(QPalette::Window);
    const QPoint centre = geometry().center();
    return QTest::qWaitForWindowExposed(this, timeoutMs)
           && WaitFor([&] { return SameColour(ScreenPixel(centre.x(), centre.y()), color); }, timeoutMs);
}

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

bool RunningApp::start(const QStringList& extraEnv, QProcess::ProcessChannelMode channels)
{
    QProcessEnvironment env = environment();
    for (const QString& kv : extraEnv) {
        const int eq = kv.indexOf('=');
        env.insert(kv.left(eq), kv.mid(eq + 1));
    }
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(channels);
    process_.start(dir() + "huebird-lite", {});
    return process_.waitForStarted(kPatientMs);
}

bool RunningApp::waitForMainWindow(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
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
    // The red cross of the magnifier: painted by the first capture tick.
    const QPoint cross = clientPoint(3 + 53, 3 + 10);
    return WaitFor([&] { return SameColour(ScreenPixel(cross.x(), cross.y()), Qt::red, 0); },
                   std::max<int>(0, timeoutMs - int(clock.elapsed())));
}

QPoint ClientOrigin(const QRect& window)
{
    return {window.x() + window.width() - kClientSize.width(), window.y() + window.height() - kClientSize.height()};
}

QPoint RunningApp::clientPoint(int x, int y) const
{
    return ClientOrigin(window_) + QPoint(x, y);
}

bool RunningApp::waitForSwatch(const QColor& color, int timeoutMs) const
{
    const QPoint swatch = clientPoint(173 + 50, 2 + 20);
    return WaitFor([&] { return SameColour(ScreenPixel(swatch.x(), swatch.y()), color); }, timeoutMs);
}

QRgb RunningApp::listRowPixel(int row) const
{
    const QPoint p = clientPoint(129, 12 + 20 * row);
    return ScreenPixel(p.x(), p.y());
}

bool RunningApp::waitForListRow(int row, const QColor& color, int timeoutMs) const
{
    return WaitFor([&] { return SameColour(listRowPixel(row), color); }, timeoutMs);
}

bool RunningApp::closeAndWait(int timeoutMs)
{
    if (!windowId_.isEmpty())
        CloseWindow(windowId_);
    return process_.waitForFinished(timeoutMs);
}

bool RunningApp::windowTitledIsShown(const QString& title)
{
    return !waitForWindowTitled(title, 0).isEmpty();
}

QString RunningApp::waitForWindowTitled(const QString& title, int timeoutMs)
{
    const QStringList search = {"search", "--all", "--onlyvisible", "--pid", QString::number(process_.processId()),
                                "--name", "^" + QRegularExpression::escape(title) + "$"};
    QString id;
    WaitFor([&] { return !(id = XDo(search).trimmed().split('\n').first()).isEmpty(); }, timeoutMs);
    return id;
}

QString XDo(const QStringList& args, int* exitCode)
{
    QProcess p;
    p.start("xdotool", args);
    if (!p.waitForFinished(kPatientMs)) {
        p.kill();
        p.waitForFinished();
    }
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

void CloseWindow(const QString& windowId)
{
    xcb_connection_t* c = Connection();
    if (!c)
        return;
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = xcb_window_t(windowId.toULong());
    ev.type = Atom(c, "WM_PROTOCOLS");
    ev.data.data32[0] = Atom(c, "WM_DELETE_WINDOW");
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, ev.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
    xcb_flush(c);
}

bool WaitUntilInputHandled(const QString& windowId, int timeoutMs, const QString& display)
{
    // A connection of its own, listening on the root window, where the answer goes.
    int screen = 0;
    const QByteArray name = display.toLocal8Bit();
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(display.isEmpty() ? nullptr : name.constData(), &screen), &xcb_disconnect);
    xcb_connection_t* c = connection.get();
    if (xcb_connection_has_error(c))
        return false;
    const xcb_window_t root = RootOf(c, screen);
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY; // as Qt sends its answer
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t protocols = Atom(c, "WM_PROTOCOLS");
    const xcb_atom_t ping = Atom(c, "_NET_WM_PING");
    const xcb_window_t window = xcb_window_t(windowId.toULong());

    QElapsedTimer clock;
    clock.start();
    // Twice: Qt answers while it reads its events, and hands the input that
    // came with the first ping to the widgets just after.
    for (uint32_t round = 1; round <= 2; ++round) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = protocols;
        message.data.data32[0] = ping;
        message.data.data32[1] = round; // where a window manager puts a time stamp
        message.data.data32[2] = window;
        xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
        xcb_flush(c);
        bool answered = false;
        while (!answered) {
            if (xcb_connection_has_error(c) || clock.elapsed() > timeoutMs)
                return false;
            // This process may own the clipboard the program is asking for.
            QCoreApplication::processEvents();
            while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
                if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                    const auto* answer = reinterpret_cast<const xcb_client_message_event_t*>(event);
                    answered = answered
                               || (answer->type == protocols && answer->data.data32[0] == ping
                                   && answer->data.data32[1] == round && answer->data.data32[2] == window);
                }
                std::free(event);
            }
            if (!answered) {
                pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
                ::poll(&fd, 1, 10);
            }
        }
    }
    return true;
}

PrivateXServer::PrivateXServer(const QStringList& screens)
{
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Xvfb picks a free display number itself and writes it once it takes
    // clients. Once, under a full suite, the number it wrote took no client:
    // such a server is replaced.
    for (int attempt = 0; attempt < 3 && display_.isEmpty(); ++attempt) {
        kill();
        // No reset when the last client leaves: with two screens Xvfb 21 crashes there.
        server_.start("Xvfb", QStringList{"-displayfd", "1", "-nolisten", "tcp", "-noreset"} + screens);
        if (!server_.waitForStarted(kPatientMs)
            || !WaitFor([&] { return server_.canReadLine() || server_.state() == QProcess::NotRunning; })
            || !server_.canReadLine())
            continue;
        const QString display = ":" + QString::fromLatin1(server_.readLine()).trimmed();
        const QByteArray name = display.toLocal8Bit();
        std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> probe(xcb_connect(name.constData(), nullptr),
                                                                            &xcb_disconnect);
        if (!xcb_connection_has_error(probe.get()))
            display_ = display;
        else
            qWarning("Xvfb wrote display %s, which takes no client; starting another", name.constData());
    }
}

PrivateXServer::~PrivateXServer() { kill(); }

void PrivateXServer::kill()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.kill();
        server_.waitForFinished(kPatientMs);
    }
}

bool TakeClipboard(const QString& text, int timeoutMs)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    return WaitFor([&] {
        RefreshServerTime();
        auto* data = new QMimeData;
        data->setText(text);
        clipboard->setMimeData(data);
        // Ours only when the server took the claim.
        return clipboard->mimeData() == data;
    }, timeoutMs);
}

QString ClipboardText()
{
    RefreshServerTime();
    return QGuiApplication::clipboard()->text();
}

bool WaitForClipboardText(const QString& expected, int timeoutMs)
{
    return WaitFor([&] { return ClipboardText() == expected; }, timeoutMs);
}

bool SameColour(QRgb a, const QColor& b, int tolerance)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
           && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

void MovePointer(int x, int y)
{
    xcb_connection_t* c = Connection();
    const xcb_window_t root = RootOf(c);
    xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, int16_t(x), int16_t(y), 0);
    xcb_flush(c);
    WaitFor([&] {
        std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> pointer(
            xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr), &std::free);
        return pointer && pointer->root_x == x && pointer->root_y == y;
    });
}

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
