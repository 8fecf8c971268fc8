// Runs the real program for minutes under the load of a busy user: the pointer
// never stops, the capture hotkey arrives many times a second, the notation
// changes, and the list manager opens and closes again and again.
//
// It measures:
// - resident memory (VmRSS) every few seconds, after a warm-up minute;
// - the longest time the main window went without repainting while the
//   pointer was moving. Each tick shows the new cursor position, so while the
//   pointer moves every tick changes the window; the window is read back from
//   the X server every few milliseconds and the time between two changes is
//   the time between two ticks, to within the polling period;
// - what LeakSanitizer reports when the program ends (the program must be an
//   AddressSanitizer build for that).
//
// Environment: HB_APP (the program), SOAK_SECONDS (default 600), SOAK_CAPTURES
// and SOAK_MANAGER (0 leaves out the hotkey or the manager, to find what
// costs memory), SOAK_QUARANTINE_MB (AddressSanitizer keeps that much freed
// memory aside, which counts in VmRSS; default 16),
// HB_SOURCE_DIR (for the LeakSanitizer suppressions of third-party libraries).
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QClipboard>
#include <QGuiApplication>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include "DesktopTestSupport.h"

namespace {

class FakeInput {
public:
    FakeInput()
    {
        c_ = xcb_connect(nullptr, nullptr);
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        symbols_ = xcb_key_symbols_alloc(c_);
    }
    ~FakeInput()
    {
        xcb_key_symbols_free(symbols_);
        xcb_disconnect(c_);
    }
    bool ok() const { return c_ && !xcb_connection_has_error(c_); }

    void move(int x, int y)
    {
        xcb_test_fake_input(c_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, int16_t(x), int16_t(y), 0);
        xcb_flush(c_);
    }
    void button(uint8_t b, bool down)
    {
        xcb_test_fake_input(c_, down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, b, XCB_CURRENT_TIME, root_, 0, 0, 0);
        xcb_flush(c_);
    }
    void click(uint8_t b)
    {
        button(b, true);
        button(b, false);
    }
    void key(xcb_keysym_t sym, bool down)
    {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols_, sym);
        if (codes && codes[0] != XCB_NO_SYMBOL)
            xcb_test_fake_input(c_, down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, codes[0], XCB_CURRENT_TIME, root_, 0, 0, 0);
        free(codes);
        xcb_flush(c_);
    }
    void tap(xcb_keysym_t sym)
    {
        key(sym, true);
        key(sym, false);
    }
    void chord(xcb_keysym_t modifier, xcb_keysym_t sym)
    {
        key(modifier, true);
        key(sym, true);
        key(sym, false);
        key(modifier, false);
    }
    // A digest of what the screen shows in the rectangle.
    quint64 digest(const QRect& r)
    {
        xcb_get_image_reply_t* img = xcb_get_image_reply(
            c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, int16_t(r.x()), int16_t(r.y()),
                              uint16_t(r.width()), uint16_t(r.height()), ~0u), nullptr);
        if (!img)
            return 0;
        const uint8_t* p = xcb_get_image_data(img);
        const int n = xcb_get_image_data_length(img);
        quint64 h = 1469598103934665603ull;
        for (int i = 0; i < n; ++i)
            h = (h ^ p[i]) * 1099511628211ull;
        free(img);
        return h;
    }

private:
    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_key_symbols_t* symbols_ = nullptr;
};

constexpr xcb_keysym_t kAlt = 0xffe9, kKeyC = 0x63, kEscape = 0xff1b;

long ResidentKiB(qint64 pid)
{
    QFile f(QString("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

QStringList VisibleWindows(qint64 pid)
{
    return XDo({"search", "--all", "--onlyvisible", "--pid", QString::number(pid), ""})
        .split('\n', Qt::SkipEmptyParts);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const int seconds = qEnvironmentVariableIsSet("SOAK_SECONDS") ? qEnvironmentVariableIntValue("SOAK_SECONDS") : 600;
    const QString sourceDir = qEnvironmentVariable("HB_SOURCE_DIR");
    const bool withCaptures = qEnvironmentVariable("SOAK_CAPTURES", "1") != "0";
    const bool withManager = qEnvironmentVariable("SOAK_MANAGER", "1") != "0";

    FakeInput input;
    if (!input.ok()) {
        std::fprintf(stderr, "soak: no X server\n");
        return 2;
    }

    RunningApp program;
    const QString asanLog = program.dir() + "sanitizer";
    const QStringList env = {
        "ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=" + qEnvironmentVariable("SOAK_QUARANTINE_MB", "16") +
            ":log_path=" + asanLog,
        "LSAN_OPTIONS=suppressions=" + sourceDir + "/tests/lsan.supp:print_suppressions=0",
        "UBSAN_OPTIONS=print_stacktrace=1:log_path=" + asanLog};
    if (!program.start(env) || !program.waitForMainWindow()) {
        std::fprintf(stderr, "soak: the program did not show its window\n");
        return 1;
    }
    const qint64 pid = program.process().processId();
    // Away from the manager, which opens in the top-left corner.
    XDo({"windowmove", "--sync", program.windowId(), "700", "300"});
    program.waitForMainWindow();
    const QRect window = program.windowRect();
    std::printf("soak: program %lld, window %dx%d at %d,%d, %d s\n", pid, window.width(), window.height(),
                window.x(), window.y(), seconds);

    // The list column of the main window, in screen coordinates (client 119,2 45x106,
    // below the menu bar).
    const int clientTop = ClientOrigin(window).y();
    const QPoint listRow(window.x() + 119 + 20, clientTop + 2 + 8);
    const QPoint notationBox(window.x() + 173 + 50, clientTop + 60 + 10);

    QElapsedTimer clock;
    clock.start();
    std::vector<std::pair<double, long>> rss; // (minutes, KiB)
    qint64 lastChange = 0, longestGap = 0, lastRss = -100000;
    quint64 lastDigest = 0;
    long captures = 0, managerCycles = 0, notationSteps = 0, messageBoxes = 0, changes = 0;
    int step = 0;
    double angle = 0;
    qint64 nextCapture = 0, nextNotation = 2000, nextManager = 5000;
    bool measuring = false;
    std::vector<qint64> gapsOver200;

    auto movePointer = [&] {
        // A slow circle on the left of the screen, never resting, never on the program.
        angle += 0.05;
        input.move(300 + int(200 * std::cos(angle)) + (step % 3), 650 + int(200 * std::sin(angle)));
        ++step;
    };
    auto observe = [&] {
        const quint64 d = input.digest(window);
        const qint64 now = clock.elapsed();
        if (d != lastDigest) {
            if (measuring && lastChange) {
                const qint64 gap = now - lastChange;
                longestGap = std::max(longestGap, gap);
                if (gap > 200)
                    gapsOver200.push_back(gap);
            }
            lastDigest = d;
            lastChange = now;
            ++changes;
        }
    };
    auto pause = [&](int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            movePointer();
            observe();
            QThread::msleep(8);
        }
    };

    bool alive = true;
    while (clock.elapsed() < seconds * 1000LL) {
        if (program.process().state() != QProcess::Running) {
            alive = false;
            break;
        }
        movePointer();
        observe();
        const qint64 now = clock.elapsed();
        measuring = now > 3000;

        if (withCaptures && now >= nextCapture) {
            input.chord(kAlt, kKeyC);
            ++captures;
            nextCapture = now + 40;
        }
        if (now >= nextNotation) {
            // The wheel over the notation box steps through the notations.
            input.move(notationBox.x(), notationBox.y());
            input.click(step / 200 % 2 ? 4 : 5);
            ++notationSteps;
            nextNotation = now + 1500;
        }
        if (withManager && now >= nextManager) {
            input.move(listRow.x(), listRow.y());
            QThread::msleep(20);
            input.click(1);
            input.click(1);
            bool opened = false;
            for (int i = 0; i < 100 && !opened; ++i) {
                pause(10);
                opened = VisibleWindows(pid).size() >= 2;
            }
            if (opened) {
                if (managerCycles == 0) {
                    // The manager first opens over the main window and then
                    // where it was closed: put it aside once, as a user would,
                    // so the main window stays in view.
                    for (const QString& id : VisibleWindows(pid))
                        if (id != program.windowId())
                            XDo({"windowmove", "--sync", id, "0", "0"});
                }
                pause(50);
                input.tap(kEscape);
                for (int i = 0; i < 100 && VisibleWindows(pid).size() >= 2; ++i)
                    pause(10);
                ++managerCycles;
            }
            nextManager = clock.elapsed() + 200;
        }
        // A message box is something the soak never asked for.
        if (now - lastRss >= 5000) {
            const QStringList windows = VisibleWindows(pid);
            if (windows.size() >= 2) {
                ++messageBoxes;
                input.tap(kEscape);
            }
            const long kib = ResidentKiB(pid);
            if (kib > 0) {
                rss.emplace_back(now / 60000.0, kib);
                if (rss.size() % 6 == 0)
                    std::printf("soak: %4.1f min: VmRSS %ld KiB, %ld captures, %ld manager openings\n",
                                now / 60000.0, kib, captures, managerCycles);
                std::fflush(stdout);
            }
            lastRss = now;
        }
        QThread::msleep(8);
    }

    // Every capture must have reached the list: copy it through the context
    // menu (its first visible item is "Copy color list") and count the codes.
    long listed = withCaptures ? -1 : 0;
    if (alive && withCaptures) {
        QGuiApplication::clipboard()->clear();
        input.move(window.x() + 60, clientTop + 50);
        QThread::msleep(100);
        input.click(3);
        QThread::msleep(500);
        input.tap(0xff54); // Down
        input.tap(0xff0d); // Return
        WaitFor([&] { return !QGuiApplication::clipboard()->text().isEmpty(); }, 10000);
        listed = QGuiApplication::clipboard()->text().count('\n');
    }

    const bool closed = alive && program.closeAndWait(60000);
    const int exitCode = program.process().exitCode();

    // Memory in the second half of the run, once Qt's caches (the pixmap cache
    // holds up to 10 MB) have filled: spread and least-squares slope.
    const double settledFrom = seconds / 120.0;
    std::vector<std::pair<double, long>> settled;
    for (const auto& s : rss)
        if (s.first >= settledFrom)
            settled.push_back(s);
    long low = 0, high = 0;
    double slope = 0;
    if (settled.size() >= 2) {
        low = high = settled.front().second;
        double mx = 0, my = 0;
        for (const auto& [x, y] : settled) {
            low = std::min(low, y);
            high = std::max(high, y);
            mx += x;
            my += double(y);
        }
        mx /= double(settled.size());
        my /= double(settled.size());
        double sxy = 0, sxx = 0;
        for (const auto& [x, y] : settled) {
            sxy += (x - mx) * (double(y) - my);
            sxx += (x - mx) * (x - mx);
        }
        slope = sxx > 0 ? sxy / sxx : 0;
    }
    QString leaks;
    for (const QFileInfo& f : QDir(program.dir()).entryInfoList({"sanitizer*"}, QDir::Files)) {
        QFile log(f.filePath());
        if (log.open(QIODevice::ReadOnly))
            leaks += QString::fromLocal8Bit(log.readAll());
    }

    std::printf("soak: %ld captures sent, %ld manager openings, %ld notation steps, %ld unexpected windows\n",
                captures, managerCycles, notationSteps, messageBoxes);
    std::printf("soak: the list holds %ld colours\n", listed);
    if (!rss.empty())
        std::printf("soak: VmRSS first %ld KiB; after %.1f min min %ld KiB max %ld KiB (spread %ld KiB), "
                    "slope %.0f KiB/min; last %ld KiB\n",
                    rss.front().second, settledFrom, low, high, high - low, slope, rss.back().second);
    std::printf("soak: %ld repaints seen, longest time without one %lld ms, %zu gaps over 200 ms\n", changes,
                longestGap, gapsOver200.size());
    std::printf("soak: program %s, exit code %d\n", !alive ? "DIED during the run" : closed ? "closed" : "did NOT close",
                exitCode);
    std::printf("soak: sanitizer report: %s\n", leaks.isEmpty() ? "none" : "see below");
    if (!leaks.isEmpty())
        std::printf("%s\n", qPrintable(leaks));

    const bool ok = alive && closed && exitCode == 0 && leaks.isEmpty() && (managerCycles > 0 || !withManager) && listed == captures && longestGap < 1000 &&
                    (settled.size() < 2 || high - low < 16 * 1024);
    std::printf("soak: %s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
