#pragma once
// End-to-end helpers: the real program started from a private copy of its
// folder, the real pointer and keyboard through XTest (xdotool), and the
// screen read back through the X server.
#include <QColor>
#include <QImage>
#include <QWidget>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <functional>

// A frameless window of one colour at a fixed place of the screen.
class ColourPatch : public QWidget {
public:
    ColourPatch(const QRect& rect, const QColor& color);
    void PointAt() const;
};

class RunningApp {
public:
    // Lays out a private portable copy of the program's folder (executable,
    // language/, help/, palettes/, the marker) and its own runtime folder for
    // the instance lock.
    RunningApp();
    ~RunningApp();

    QString dir() const; // ends with "/"
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;

    bool start(const QStringList& extraEnv = {});
    // The main window's client rectangle on the screen (waits for it).
    bool waitForMainWindow(int timeoutMs = 15000);
    QRect windowRect() const { return window_; }
    QString windowId() const { return windowId_; }
    // Closes the main window like its close box and waits for the exit.
    bool closeAndWait(int timeoutMs = 15000);
    QProcess& process() { return process_; }
    QProcessEnvironment environment() const;

private:
    QTemporaryDir dir_;
    QTemporaryDir runtime_;
    QProcess process_;
    QRect window_;
    QString windowId_;
};

// Runs xdotool with the arguments; returns its standard output.
QString XDo(const QStringList& args, int* exitCode = nullptr);
// Closes a window as its close box does (WM_DELETE_WINDOW).
void CloseWindow(const QString& windowId);
void MovePointer(int x, int y);
void PressKeys(const QString& combination); // "alt+c"
// Reads the screen through the X server.
QImage GrabScreen(const QRect& rect);
QRgb ScreenPixel(int x, int y);
// Waits until the predicate holds or the time runs out.
bool WaitFor(const std::function<bool()>& predicate, int timeoutMs);

// An X server of the test's own (Xvfb) on a display number it picks itself,
// so tests running side by side never meet. Screens as Xvfb takes them:
// {"-screen", "0", "1024x768x24", "-screen", "1", ...}.
class PrivateXServer {
public:
    explicit PrivateXServer(const QStringList& screens = {"-screen", "0", "1024x768x24"});
    ~PrivateXServer();
    QString display() const { return display_; } // ":N"; empty when it did not start
    void kill();

private:
    QProcess server_;
    QString display_;
};

// Runs xdotool on the given display; returns its trimmed standard output.
QString XDoOn(const QString& display, const QStringList& args);
