#pragma once
// End-to-end helpers: the real program started from a private copy of its
// folder, the real pointer and keyboard through XTest (xdotool), and the
// screen read back through the X server.
#include <QColor>
#include <QImage>
#include <QWidget>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <functional>

// How long a test waits for a state: enough for a sanitiser build on a loaded
// two-core machine. Waits end as soon as their state holds, so a generous
// limit costs nothing when things are fast.
constexpr int kPatientMs = 30000;

// The main window's client area (below its menu bar), fixed in size.
constexpr QSize kClientSize(276, 131);
// Its top-left corner on the screen, from the window's frame.
QPoint ClientOrigin(const QRect& window);

// A frameless window of one colour at a fixed place of the screen.
class ColourPatch : public QWidget {
public:
    ColourPatch(const QRect& rect, const QColor& color);
    void PointAt() const;
    // Exposed, and its colour on the screen.
    bool WaitUntilShown(int timeoutMs = kPatientMs);
};

// Waits until the client owning the window has handled every event sent to it
// before this call: a window manager's ping is answered from the client's
// event loop, in order. Also when the client is busy in a nested loop (a menu,
// a dialog); not while it is stuck, e.g. waiting on a clipboard owner.
bool WaitUntilInputHandled(const QString& windowId, int timeoutMs = kPatientMs, const QString& display = {});

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

    // Its output goes to this process's own, unless channels says otherwise.
    bool start(const QStringList& extraEnv = {}, QProcess::ProcessChannelMode channels = QProcess::ForwardedChannels);
    // Waits until the main window is mapped and its capture loop has painted
    // the magnifier; then its rectangle on the screen is known.
    bool waitForMainWindow(int timeoutMs = kPatientMs);
    QRect windowRect() const { return window_; }
    QString windowId() const { return windowId_; }
    // A point of the main window's client area (below its menu bar).
    QPoint clientPoint(int x, int y) const;
    // The swatch shows the colour the last capture tick saw under the pointer,
    // which is what a capture takes.
    bool waitForSwatch(const QColor& color, int timeoutMs = kPatientMs) const;
    // Row r of the capture list, left of its text.
    QRgb listRowPixel(int row) const;
    bool waitForListRow(int row, const QColor& color, int timeoutMs = kPatientMs) const;
    // Returns once the program has handled all input sent to it before.
    bool waitUntilInputHandled(int timeoutMs = kPatientMs) const { return WaitUntilInputHandled(windowId_, timeoutMs); }
    // Closes the main window like its close box and waits for the exit.
    bool closeAndWait(int timeoutMs = kPatientMs);
    // Waits for a visible window of the program with exactly that title (a
    // box, a dialog); its id, or empty when none came.
    QString waitForWindowTitled(const QString& title, int timeoutMs = kPatientMs);
    bool windowTitledIsShown(const QString& title);
    QProcess& process() { return process_; }
    QProcessEnvironment environment() const;

private:
    QTemporaryDir dir_;
    QTemporaryDir runtime_;
    QProcess process_;
    QRect window_;
    QString windowId_;
};

// An X server of this test's own (Xvfb, with the screens given), for tests
// that kill it, or that need a screen unlike the common one.
class PrivateXServer {
public:
    explicit PrivateXServer(const QStringList& screens = {"-screen", "0", "1024x768x24"});
    ~PrivateXServer();
    QString display() const { return display_; } // ":N"; empty when none could be started
    void kill();

private:
    QProcess server_;
    QString display_;
};

// The clipboard of the X server from this test process. Taking it waits until
// the server names this process the owner; reading it asks the owner anew.
bool TakeClipboard(const QString& text, int timeoutMs = kPatientMs);
QString ClipboardText();
bool WaitForClipboardText(const QString& expected, int timeoutMs = kPatientMs);

bool SameColour(QRgb a, const QColor& b, int tolerance = 2);

// Runs xdotool with the arguments; returns its standard output.
QString XDo(const QStringList& args, int* exitCode = nullptr);
// Closes a window as its close box does (WM_DELETE_WINDOW).
void CloseWindow(const QString& windowId);
// Moves the pointer (XTest) and returns once the server has it there.
void MovePointer(int x, int y);
void PressKeys(const QString& combination); // "alt+c"
// Reads the screen through the X server.
QImage GrabScreen(const QRect& rect);
QRgb ScreenPixel(int x, int y);
// Waits until the predicate holds or the time runs out; handles this
// process's events meanwhile (it may own the clipboard).
bool WaitFor(const std::function<bool()>& predicate, int timeoutMs = kPatientMs);

// Runs xdotool on the given display; returns its trimmed standard output.
QString XDoOn(const QString& display, const QStringList& args);
