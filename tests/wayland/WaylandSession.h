#pragma once
// End-to-end tests on Wayland: a headless sway session of their own (two
// outputs, an invisible cursor, a virtual pointer), brought up by
// scripts/wayland-session.sh and stopped with the object.
#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTest>
#include <cstdio>

class WaylandSession {
public:
    WaylandSession();
    ~WaylandSession();
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    bool running() const { return running_; }
    // sway cannot start on this machine: the tests skip.
    bool unavailable() const { return unavailable_; }
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
    // Saves the image in the session's folder; its path.
    QString saveImage(const QString& name, const QImage& image) const;

private:
    QProcess script_;
    QProcessEnvironment variables_;
    bool running_ = false;
    bool unavailable_ = false;
    QString failure_;
    double startSeconds_ = 0;
};

// main() for a Qt Test class constructed with the session: the test program
// is a native Wayland client of it. Exits with 77 (ctest: skipped) where sway
// cannot start.
template <class TestClass> int RunWaylandTest(int argc, char** argv)
{
    WaylandSession session;
    if (session.unavailable()) {
        std::printf("SKIP: no headless Wayland session: %s\n", qPrintable(session.failure()));
        return 77;
    }
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

#define HB_WAYLAND_TEST_MAIN(TestClass) \
    int main(int argc, char** argv) { return RunWaylandTest<TestClass>(argc, argv); }
