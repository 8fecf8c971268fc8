#pragma once
// End-to-end tests on Wayland: a headless sway session of their own (two
// outputs, an invisible cursor unless asked otherwise, a virtual pointer),
// brought up by scripts/wayland-session.sh and stopped with the object.
#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTest>
#include <cstdio>
#include <functional>

class RunningApp;

class WaylandSession {
public:
    // options: more arguments of the session script ("--visible-cursor").
    explicit WaylandSession(const QStringList& options = {});
    ~WaylandSession();
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    bool running() const { return running_; }
    const QString& failure() const { return failure_; }
    double startSeconds() const { return startSeconds_; }

    // What a client of the session needs (WAYLAND_DISPLAY, SWAYSOCK, the cursor theme, ...).
    const QProcessEnvironment& variables() const { return variables_; }
    // Puts them into this process, for a QGuiApplication made afterwards.
    void exportVariables() const;
    // The session's folder: files there are readable by the compositor.
    QString dir() const { return variables_.value("HB_SESSION_DIR"); }

    // Runs swaymsg; its output. ok: it succeeded.
    QByteArray swaymsg(const QStringList& args, bool* ok = nullptr) const;
    // Sends a command to the virtual pointer ("move X Y" in layout
    // coordinates, "click", "press", "release") and waits until the
    // compositor has it.
    bool pointer(const QByteArray& command) const;
    // How many connections to the compositor a process holds.
    int connectionsOf(qint64 pid) const;
    // The windows of a process in the compositor's tree.
    QList<QJsonObject> windowsOf(qint64 pid) const;
    // The session's environment with the given entries added, as KEY=VALUE lines.
    QStringList environment(const QStringList& extra = {}) const;
    // Types keys with wtype ("-M", "alt", "c", ...) until arrived() holds: a
    // client may miss the first keys of each new virtual keyboard.
    bool typeUntil(const QStringList& keys, const std::function<bool()>& arrived) const;
    // Saves the image in the session's folder; its path.
    QString saveImage(const QString& name, const QImage& image) const;
    // Runs the program with a command-line option for the running copy
    // ("--pick", "--capture"); its exit status, -1 when it did not end.
    int send(const RunningApp& app, const QString& option) const;

private:
    QProcess script_;
    QProcessEnvironment variables_;
    bool running_ = false;
    QString failure_;
    double startSeconds_ = 0;
};

class WaylandScreenSampler;

// The program's main window on the session, and the screen read back through
// the compositor's screen copies.
class ProgramWindow {
public:
    ProgramWindow(const WaylandSession& session, WaylandScreenSampler& screen, qint64 pid);
    // Waits until the main window is placed at its fixed size.
    bool waitUntilPlaced();
    const QRect& rect() const { return rect_; }
    // A point of the client area below the menu bar.
    QPoint clientPoint(int x, int y) const;
    QPoint swatch() const { return clientPoint(173 + 50, 2 + 20); }
    QPoint listRow(int row) const { return clientPoint(129, 12 + 20 * row); }
    // The exact colour of a screen pixel; 0 when none could be read.
    QRgb pixel(QPoint logical) const;
    bool waitForPixel(QPoint logical, const QColor& colour, int timeoutMs = 30000) const;
    // Closes the window as the compositor does, until the process ends.
    bool close(QProcess& process) const;

private:
    const WaylandSession& session_;
    WaylandScreenSampler& screen_;
    qint64 pid_;
    QRect rect_;
};

// main() for a Qt Test class constructed with the session: the test program
// is a native Wayland client of it. Fails where the session cannot start.
template <class TestClass> int RunWaylandTest(int argc, char** argv, const QStringList& sessionOptions = {})
{
    WaylandSession session(sessionOptions);
    if (!session.running()) {
        std::fprintf(stderr, "FAIL: the headless Wayland session did not start: %s\n", qPrintable(session.failure()));
        return 1;
    }
    std::printf("headless Wayland session up in %.1f s\n", session.startSeconds());
    session.exportVariables();
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    TestClass test(session);
    return QTest::qExec(&test, argc, argv);
}

#define HB_WAYLAND_TEST_MAIN(TestClass, ...) \
    int main(int argc, char** argv) { return RunWaylandTest<TestClass>(argc, argv, {__VA_ARGS__}); }
